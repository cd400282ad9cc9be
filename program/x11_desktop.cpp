#include "program/x11_desktop.h"

#include <gtk/gtk.h>

#include <memory>

#include "platform/file_instance_lock.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/gtk/gtk_x11_events.h"
#include "platform/gtk/gtk_x11_keys.h"
#include "program/desktop_start.h"
#include "toolbar/toolbar_program.h"
// Xlib last: its macros (None, Status...) clash with names above.
#include "platform/x11/x11_session.h"

namespace brumelis {

namespace {

Fit Detect(const SessionEnvironment& session) {
    // Under Xwayland this backend would see the windows of X11 programs
    // only, never those of the session's Wayland programs: not a session
    // it can serve, however well the display answers.
    if (session.IsWayland()) return Fit::NotThisSession();
    if (auto problem = FindDisplayProblem(session.display)) {
        // A window manager started with the session (or being replaced)
        // comes a moment later: wait for it.
        return problem->mayPass ? Fit::NotReadyYet(problem->message)
                                : Fit::CannotRun(problem->message);
    }
    return Fit::Runs();
}

int Run(const SessionEnvironment& session, int& argc, char**& argv) {
    if (!OpenGtk("x11", argc, argv)) return 1;
    GdkX11WindowSystem windows;
    FileInstanceLock startLock(session.display, session.runtimeDirectory);
    GdkX11Keys keys;
    return RunToolbarProgram(
        windows.Windows(), startLock,
        [](const FormLayout& layout) { return std::make_unique<GtkToolkit>(layout); },
        &keys.Keys());
}

}  // namespace

DesktopBackend X11Desktop() {
    return {"X11", Detect, Run};
}

}  // namespace brumelis
