#include "program/desktop_start.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/utf8_text.h"
#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_placement.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis {

namespace {

// Without layer-shell a Wayland toolbar could not sit above the windows.
const Text kNoLayerShell =
    u"Ce compositeur Wayland ne permet pas à Brumelis de poser sa barre d'outils au-dessus "
    u"des fenêtres (il n'offre pas le protocole layer-shell).";

}  // namespace

std::string SessionVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool OpenGtk(const char* backend, int& argc, char**& argv) {
    gdk_set_allowed_backends(backend);
    // The toolbar draws nothing with OpenGL; left on, GDK loads the GL
    // driver (Mesa with LLVM) only to choose visuals: 82 MB resident instead
    // of 28. A user's own setting wins.
    g_setenv("GDK_GL", "disable", FALSE);
    if (gtk_init_check(&argc, &argv)) return true;
    std::fprintf(stderr, "brumelis: GTK ne peut pas ouvrir l'affichage %s.\n",
                 std::strcmp(backend, "x11") == 0 ? "X11" : "Wayland");
    return false;
}

int Refuse(const Text& message) {
    std::fprintf(stderr, "brumelis: %s\n", Utf8FromText(message).c_str());
    RunMessageBox(message, MessageButtons::Ok, ToolbarLayout().applicationTitle, nullptr);
    return 1;
}

std::optional<int> OpenLayerShell(int& argc, char**& argv) {
    if (!OpenGtk("wayland", argc, argv)) return 1;
    if (!LayerShellSupported()) return Refuse(kNoLayerShell);
    return std::nullopt;
}

}  // namespace brumelis
