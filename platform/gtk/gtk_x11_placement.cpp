// The toolbar on X11: an override-redirect popup, which no window manager
// frames, places, stacks or focuses; the program moves and raises it.
#include <cmath>

#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_x11_window.h"

namespace brumelis {

namespace {

// GDK_SCALE (Cinnamon sets it on a HiDPI screen; Xfce's 2x scaling): GDK
// then counts in pixels of that many screen pixels, the X server in screen
// pixels. Read as screen pixels, a size set in GDK's grew by the scale on
// every tick (to GDK's 32767 limit).
int ScaleOf(GtkWindow* window) {
    return gtk_widget_get_scale_factor(GTK_WIDGET(window));
}

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
        const int scale = ScaleOf(window);
        return {rect.left, rect.top, rect.width / scale, rect.height / scale};
    }

    // GDK's call takes effect at once, in one request, so the next read
    // sees it; before the window is first shown GTK is told the place too,
    // where it will map it. GDK places a scaled window on multiples of the
    // scale only: the corner is then put on its screen pixel directly.
    void Place(GtkWindow* window, const PixelRect& wanted) override {
        const int scale = ScaleOf(window);
        if (!gtk_widget_get_mapped(GTK_WIDGET(window))) {
            gtk_window_move(window, wanted.left / scale, wanted.top / scale);
        }
        GdkWindow* own = gtk_widget_get_window(GTK_WIDGET(window));
        gdk_window_move_resize(own, wanted.left / scale, wanted.top / scale, wanted.width,
                               wanted.height);
        if (wanted.left % scale != 0 || wanted.top % scale != 0) {
            MoveOnServer(own, wanted.left, wanted.top);
        }
    }

    // No window manager stacks an override-redirect window: it is raised
    // itself, by a request without a reply (no round trip on a tick), above
    // the band kept above too. Unmapped before Show, it stays so.
    void StayAbove(GtkWindow* window) override {
        gdk_window_raise(gtk_widget_get_window(GTK_WIDGET(window)));
    }

    // While a press's grab lasts GDK answers "the grabbing window" to every
    // question of this kind: the X server names the top-level window there.
    std::optional<WindowPoint> PointInWindow(GtkWindow* window, double rootX,
                                             double rootY) const override {
        const int scale = ScaleOf(window);
        const int x = static_cast<int>(std::floor(rootX * scale));
        const int y = static_cast<int>(std::floor(rootY * scale));
        GdkWindow* own = gtk_widget_get_window(GTK_WIDGET(window));
        if (ToplevelAt(own, x, y) != XidOf(own)) return std::nullopt;
        const ServerRect outer = ServerGeometry(own);
        return WindowPoint{(x - outer.left) / scale, (y - outer.top) / scale};
    }
};

}  // namespace

std::unique_ptr<ToplevelPlacement> MakeX11Placement() {
    return std::make_unique<X11Placement>();
}

}  // namespace brumelis
