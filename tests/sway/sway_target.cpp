// A target window of another process for the sway suites: a GTK window on
// Wayland with a title and one button filling it. It prints "shown" once
// the window is mapped and "clicked" whenever the button is clicked; on
// "quit" (or the end of its input) it ends.
//
// With --white its whole body is plain white, so that the screen shows its
// opacity over a black background.
//
//   brumelis_sway_target [--title=T] [--white]
#include <gtk/gtk.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void OnClicked(GtkButton*, gpointer) {
    std::printf("clicked\n");
    std::fflush(stdout);
}

gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer) {
    std::printf("shown\n");
    std::fflush(stdout);
    return FALSE;
}

gboolean OnInput(GIOChannel* channel, GIOCondition, gpointer) {
    gchar* line = nullptr;
    const GIOStatus status = g_io_channel_read_line(channel, &line, nullptr, nullptr, nullptr);
    const bool quit = status != G_IO_STATUS_NORMAL || std::strncmp(line, "quit", 4) == 0;
    g_free(line);
    if (quit) gtk_main_quit();
    return quit ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

// Above the theme whatever its rules' states (a hovered button).
void PaintWhite() {
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(
        css, "* { background: #ffffff; border: none; box-shadow: none; outline: none; }", -1,
        nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_USER);
    g_object_unref(css);
}

}  // namespace

int main(int argc, char** argv) {
    gdk_set_allowed_backends("wayland");
    gtk_init(&argc, &argv);
    std::string title = "Cible";
    for (int index = 1; index < argc; ++index) {
        if (std::strncmp(argv[index], "--title=", 8) == 0) title = argv[index] + 8;
        if (std::strcmp(argv[index], "--white") == 0) PaintWhite();
    }
    g_set_prgname("brumelis-target");
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), title.c_str());
    gtk_window_set_default_size(GTK_WINDOW(window), 400, 300);
    GtkWidget* button = gtk_button_new_with_label("Cible");
    g_signal_connect(button, "clicked", G_CALLBACK(&OnClicked), nullptr);
    gtk_container_add(GTK_CONTAINER(window), button);
    g_signal_connect(window, "map-event", G_CALLBACK(&OnMapped), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(&gtk_main_quit), nullptr);
    GIOChannel* input = g_io_channel_unix_new(0);
    g_io_add_watch(input, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP), &OnInput, nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
