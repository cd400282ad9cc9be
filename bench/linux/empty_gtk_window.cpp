// The yardstick for the Linux toolbar's running cost: an empty GTK program
// with a 10 x 10 override-redirect window and a 100 ms timer that does
// nothing, so that what remains of the toolbar's cost is its own work.
#include <gtk/gtk.h>

namespace {

gboolean Idle(gpointer) {
    return G_SOURCE_CONTINUE;
}

}  // namespace

int main(int argc, char** argv) {
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(&argc, &argv)) return 1;
    GtkWidget* window = gtk_window_new(GTK_WINDOW_POPUP);
    gtk_window_set_title(GTK_WINDOW(window), "BrumelisEmpty");
    gtk_window_set_default_size(GTK_WINDOW(window), 10, 10);
    gtk_widget_show_all(window);
    g_timeout_add(100, &Idle, nullptr);
    gtk_main();
    return 0;
}
