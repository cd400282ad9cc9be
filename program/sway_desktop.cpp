#include "program/sway_desktop.h"

#include <gtk/gtk.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/sway/sway_connection.h"
#include "platform/sway/sway_window_system.h"
#include "platform/x11/x11_instance_lock.h"
#include "program/announced_toolbars.h"
#include "program/desktop_start.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_program.h"

namespace brumelis {

namespace {

const Text kSwaySilent =
    u"sway ne répond pas sur son canal de commande ($SWAYSOCK) : Brumelis ne peut pas suivre "
    u"ses fenêtres.";

// A socket left from an earlier sway refuses the connection, and the
// variable may be kept by a session of another desktop: not a sway session
// then. A socket not made yet, or a session that names sway, is a sway
// still starting (a program started with the session).
Fit Detect(const SessionEnvironment& session) {
    if (!session.IsWayland() || session.swaySocket.empty()) return Fit::NotThisSession();
    if (SwayConnection::Open(session.swaySocket)) return Fit::Runs();
    if (session.NamesDesktop("sway")) return Fit::NotReadyYet(kSwaySilent);
    struct stat status {};
    const bool notMadeYet = lstat(session.swaySocket.c_str(), &status) != 0 && errno == ENOENT;
    if (session.currentDesktop.empty() && notMadeYet) return Fit::NotReadyYet(kSwaySilent);
    return Fit::NotThisSession();
}

int Run(int& argc, char**& argv) {
    if (!OpenGtk("wayland", argc, argv)) return 1;
    if (!LayerShellSupported()) return Refuse(kNoLayerShell);
    const auto windows = SwayWindowSystem::Connect(SessionVariable("SWAYSOCK"));
    if (!windows) return Refuse(kSwaySilent);
    // The X11 lock's flock file, named after the Wayland display instead.
    X11InstanceLock startLock(SessionVariable("WAYLAND_DISPLAY"),
                              SessionVariable("XDG_RUNTIME_DIR"));
    const std::string announcements = AnnouncementDirectory(SessionVariable("XDG_RUNTIME_DIR"),
                                                            SessionVariable("WAYLAND_DISPLAY"));
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
