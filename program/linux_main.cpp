// The Linux program: the session check, GTK on X11, the X11 window system
// over GDK's own connection, wired into the toolbar window.
#include <gtk/gtk.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/gtk/gtk_x11_events.h"
#include "platform/x11/x11_instance_lock.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_program.h"
// Xlib last: its macros (None, Status...) clash with names above.
#include "platform/x11/x11_session.h"

namespace {

// On the terminal, and in a box where GTK can open one (under Wayland it
// may, through the Wayland backend, for this box alone).
int Refuse(const brumelis::Text& message, int& argc, char**& argv) {
    std::fprintf(stderr, "brumelis: %s\n", brumelis::Utf8FromText(message).c_str());
    if (gtk_init_check(&argc, &argv)) {
        brumelis::RunMessageBox(message, brumelis::MessageButtons::Ok,
                                brumelis::ToolbarLayout().applicationTitle, nullptr);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace brumelis;
    if (const auto problem = FindSessionProblem(SessionEnvironment::FromProcess())) {
        return Refuse(*problem, argc, argv);
    }
    gdk_set_allowed_backends("x11");
    // The toolbar draws nothing with OpenGL; left on, GDK loads the GL
    // driver (Mesa with LLVM) only to choose visuals: 82 MB resident instead
    // of 28. A user's own setting wins.
    g_setenv("GDK_GL", "disable", FALSE);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "brumelis: GTK cannot open the X11 display.\n");
        return 1;
    }
    GdkX11WindowSystem windows;
    X11InstanceLock startLock;
    try {
        return RunToolbarProgram(windows.Windows(), startLock, [](const FormLayout& layout) {
            return std::make_unique<GtkToolkit>(layout);
        });
    } catch (const std::exception& failure) {
        // The toolbar could not be built (its images are compiled in, so
        // this means a broken build or a missing image loader).
        return Refuse(
            u"Brumelis ne peut pas construire sa barre d'outils : " + TextFromUtf8(failure.what()),
            argc, argv);
    }
}
