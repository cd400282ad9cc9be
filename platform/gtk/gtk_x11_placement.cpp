// The toolbar on X11: an override-redirect popup, which no window manager
// frames, places, stacks or focuses; the program moves and raises it.
#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_x11_window.h"

namespace brumelis {

namespace {

class X11Placement final : public ToplevelPlacement {
public:
    GtkWindowType WindowType() const override { return GTK_WINDOW_POPUP; }
    // GDK offers a toplevel's frame counter to the compositor, override-
    // redirect ones too. GNOME Shell (Mutter 43 under Xwayland) then at
    // times left the tile's picture where it was first mapped, though it
    // listed the window moved, and clicks at the tile went to the window
    // beneath: the tile is drawn without that synchronisation.
    void Prepare(GtkWindow* window) override {
        g_signal_connect(window, "realize", G_CALLBACK(+[](GtkWidget* widget, gpointer) {
                             DrawWithoutFrameSync(gtk_widget_get_window(widget));
                         }),
                         nullptr);
    }

    WindowHandle Handle(GtkWindow* window) const override {
        // X window ids have 29 bits: they fit the core's handle.
        return static_cast<WindowHandle>(XidOf(gtk_widget_get_window(GTK_WIDGET(window))));
    }

    // The server's own record: an override-redirect window is where it was
    // last put, with no window manager in between, and the parent is the root.
    PixelRect OuterRect(GtkWindow* window) const override {
        const ServerRect rect = ServerGeometry(gtk_widget_get_window(GTK_WIDGET(window)));
        return {rect.left, rect.top, rect.width, rect.height};
    }

    // GDK's call takes effect at once, in one request, so the next read
    // sees it; before the window is first shown GTK is told the place too,
    // where it will map it.
    void Place(GtkWindow* window, const PixelRect& wanted) override {
        if (!gtk_widget_get_mapped(GTK_WIDGET(window))) {
            gtk_window_move(window, wanted.left, wanted.top);
        }
        gdk_window_move_resize(gtk_widget_get_window(GTK_WIDGET(window)), wanted.left, wanted.top,
                               wanted.width, wanted.height);
    }

    // No window manager stacks an override-redirect window: it is raised
    // itself, by a request without a reply (no round trip on a tick), above
    // the band kept above too. Unmapped before Show, it stays so.
    void StayAbove(GtkWindow* window) override {
        gdk_window_raise(gtk_widget_get_window(GTK_WIDGET(window)));
    }

    // While a press's grab lasts GDK answers "the grabbing window" to every
    // question of this kind: the X server names the top-level window there.
    std::optional<WindowPoint> PointInWindow(GtkWindow* window, int rootX,
                                             int rootY) const override {
        GdkWindow* own = gtk_widget_get_window(GTK_WIDGET(window));
        if (ToplevelAt(own, rootX, rootY) != XidOf(own)) return std::nullopt;
        const PixelRect outer = OuterRect(window);
        return WindowPoint{rootX - outer.left, rootY - outer.top};
    }
};

}  // namespace

std::unique_ptr<ToplevelPlacement> MakeX11Placement() {
    return std::make_unique<X11Placement>();
}

}  // namespace brumelis
