#include "program/desktop_start.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

const char kDisplayGone[] =
    "brumelis: le bureau a fermé l'affichage de Brumelis (son compositeur ou son serveur X "
    "s'est arrêté ou a redémarré) : Brumelis s'arrête. Relancez-le une fois le bureau "
    "revenu.\n";

// GDK ends the program at once (_exit) when its display goes, with a line of
// its own in English: the user's reason comes first, in French. GDK logs
// structured, past any handler: this is the program's log writer.
GLogWriterOutput TellDisplayGone(GLogLevelFlags level, const GLogField* fields, gsize count,
                                 gpointer data) {
    for (gsize field = 0; field < count; ++field) {
        if (std::strcmp(fields[field].key, "MESSAGE") != 0) continue;
        const auto* text = static_cast<const char*>(fields[field].value);
        const std::string message = fields[field].length < 0
                                        ? std::string(text)
                                        : std::string(text, std::size_t(fields[field].length));
        if (SaysDisplayGone(message.c_str())) std::fputs(kDisplayGone, stderr);
    }
    return g_log_writer_default(level, fields, count, data);
}

}  // namespace

bool SaysDisplayGone(const char* gdkMessage) {
    if (gdkMessage == nullptr) return false;
    // GDK 3's lines: Wayland's read, flush and dispatch, X11's I/O error.
    for (const char* sign : {"Error reading events from display", "Error flushing display",
                             "dispatching to Wayland display", "lost its connection to the display",
                             "Fatal IO error"}) {
        if (std::strstr(gdkMessage, sign) != nullptr) return true;
    }
    return false;
}

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
    // Set once only (GLib aborts otherwise); a row opens GTK once.
    static const bool writing = (g_log_set_writer_func(TellDisplayGone, nullptr, nullptr), true);
    (void)writing;
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
