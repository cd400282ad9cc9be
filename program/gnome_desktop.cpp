#include "program/gnome_desktop.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <memory>
#include <variant>

#include "platform/gnome/shell_bus.h"
#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/x11/x11_instance_lock.h"
#include "program/announced_toolbars.h"
#include "program/desktop_start.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_program.h"

namespace brumelis {

namespace {

const Text kNoXwayland =
    u"GNOME Shell ne fournit pas Xwayland à cette session : Brumelis en a besoin pour poser sa "
    u"barre d'outils au-dessus des fenêtres sans leur prendre le clavier.";

// A GNOME session by its name, or by its Shell on the bus. One that is
// still starting (the Shell not on the bus yet, the extension not enabled
// yet) is waited for; an extension the user disabled, or that failed, is
// told at once.
Fit Detect(const SessionEnvironment& session) {
    if (!session.IsWayland()) return Fit::NotThisSession();
    const bool named = session.NamesDesktop("GNOME");
    if (!named && !GnomeShellOnSessionBus()) return Fit::NotThisSession();
    const ShellReadiness shell = AskShellReadiness();
    switch (shell.readiness) {
        case ExtensionReadiness::kReady: return Fit::Runs();
        case ExtensionReadiness::kNotYet: return Fit::NotReadyYet(shell.why);
        case ExtensionReadiness::kNotSoon: break;
    }
    return Fit::CannotRun(shell.why);
}

int Run(int& argc, char**& argv) {
    // The toolbar is an X11 window (GNOME has no layer-shell, and a Wayland
    // window takes the focus when it maps); its message boxes too.
    if (SessionVariable("DISPLAY").empty() || !OpenGtk("x11", argc, argv)) {
        std::fprintf(stderr, "brumelis: %s\n", Utf8FromText(kNoXwayland).c_str());
        return 1;
    }
    auto start = ConnectToShell();
    if (auto* problem = std::get_if<Text>(&start)) return Refuse(*problem);
    auto& shell = std::get<ShellStart>(start);
    // An older extension still runs until the next log-in: said once, and
    // the program goes on with it (the interface only grows).
    if (!shell.notice.empty()) {
        std::fprintf(stderr, "brumelis: %s\n", Utf8FromText(shell.notice).c_str());
        RunMessageBox(shell.notice, MessageButtons::Ok, ToolbarLayout().applicationTitle, nullptr);
    }
    GnomeWindowSystem windows(std::move(shell.link), shell.focus);
    X11InstanceLock startLock(SessionVariable("WAYLAND_DISPLAY"),
                              SessionVariable("XDG_RUNTIME_DIR"));
    const std::string announcements = AnnouncementDirectory(SessionVariable("XDG_RUNTIME_DIR"),
                                                            SessionVariable("WAYLAND_DISPLAY"));
    WithAnnouncedToolbars desktop(windows, announcements);
    std::unique_ptr<AnnouncedToolbar> announced;
    return RunToolbarProgram(desktop, startLock, [&](const FormLayout& layout) {
        announced = std::make_unique<AnnouncedToolbar>(announcements, layout.caption, 2);
        return std::make_unique<GtkToolkit>(layout, MakeX11Placement());
    });
}

}  // namespace

DesktopBackend GnomeDesktop() {
    return {"GNOME", Detect, Run};
}

}  // namespace brumelis
