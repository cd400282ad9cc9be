#include "program/sway_desktop.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/sway/sway_connection.h"
#include "platform/sway/sway_window_system.h"
#include "platform/x11/x11_instance_lock.h"
#include "program/announced_toolbars.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_program.h"

namespace brumelis {

namespace {

const Text kNoLayerShell =
    u"Ce compositeur Wayland ne permet pas à Brumelis de poser sa barre d'outils au-dessus "
    u"des fenêtres (il n'offre pas le protocole layer-shell).";
const Text kSwaySilent =
    u"sway ne répond pas sur son canal de commande ($SWAYSOCK) : Brumelis ne peut pas suivre "
    u"ses fenêtres.";

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A socket left from an earlier sway, or the variable kept by a session of
// another compositor, answers nothing: not a sway session then.
Fit Detect(const SessionEnvironment& session) {
    if (!session.IsWayland() || session.swaySocket.empty()) return Fit::NotThisSession();
    if (!SwayConnection::Open(session.swaySocket)) return Fit::NotThisSession();
    return Fit::Runs();
}

int Refuse(const Text& message) {
    std::fprintf(stderr, "brumelis: %s\n", Utf8FromText(message).c_str());
    RunMessageBox(message, MessageButtons::Ok, ToolbarLayout().applicationTitle, nullptr);
    return 1;
}

int Run(int& argc, char**& argv) {
    gdk_set_allowed_backends("wayland");
    // As on X11: no GL driver loaded only to choose visuals.
    g_setenv("GDK_GL", "disable", FALSE);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "brumelis: GTK ne peut pas ouvrir l'affichage Wayland.\n");
        return 1;
    }
    if (!LayerShellSupported()) return Refuse(kNoLayerShell);
    const auto windows = SwayWindowSystem::Connect(Variable("SWAYSOCK"));
    if (!windows) return Refuse(kSwaySilent);
    // The X11 lock's flock file, named after the Wayland display instead.
    X11InstanceLock startLock(Variable("WAYLAND_DISPLAY"), Variable("XDG_RUNTIME_DIR"));
    const std::string announcements =
        AnnouncementDirectory(Variable("XDG_RUNTIME_DIR"), Variable("WAYLAND_DISPLAY"));
    WithAnnouncedToolbars desktop(*windows, announcements);
    std::unique_ptr<AnnouncedToolbar> announced;
    // Under the start lock, before the instance check: the toolbar and its
    // hidden owner, as an X server would list them.
    return RunToolbarProgram(desktop, startLock, [&](const FormLayout& layout) {
        announced = std::make_unique<AnnouncedToolbar>(announcements, layout.caption, 2);
        return std::make_unique<GtkToolkit>(layout, MakeLayerShellPlacement());
    });
}

}  // namespace

DesktopBackend SwayDesktop() {
    return {"sway", Detect, Run};
}

}  // namespace brumelis
