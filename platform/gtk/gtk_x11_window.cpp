#include "platform/gtk/gtk_x11_window.h"

#include <gdk/gdkx.h>

namespace brumelis {

std::uint32_t XidOf(GdkWindow* window) {
    return static_cast<std::uint32_t>(GDK_WINDOW_XID(window));
}

ServerRect ServerGeometry(GdkWindow* window) {
    ::Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), &root, &x, &y, &width,
                 &height, &border, &depth);
    return ServerRect{x, y, static_cast<int>(width), static_cast<int>(height)};
}

void MoveOnServer(GdkWindow* window, int left, int top) {
    XMoveWindow(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), left, top);
}

std::uint32_t ToplevelAt(GdkWindow* window, int x, int y) {
    ::Display* display = GDK_WINDOW_XDISPLAY(window);
    const ::Window root = DefaultRootWindow(display);
    ::Window child = 0;
    int rootX = 0, rootY = 0;
    XTranslateCoordinates(display, root, root, x, y, &rootX, &rootY, &child);
    return static_cast<std::uint32_t>(child);
}

void DrawWithoutFrameSync(GdkWindow* window) {
    gdk_x11_window_set_frame_sync_enabled(window, FALSE);
    ::Display* display = GDK_WINDOW_XDISPLAY(window);
    XDeleteProperty(display, GDK_WINDOW_XID(window),
                    XInternAtom(display, "_NET_WM_SYNC_REQUEST_COUNTER", False));
}

ServerRect ServerScreen() {
    GdkDisplay* display = gdk_display_get_default();
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display)) return ServerRect{0, 0, 0, 0};
    ::Display* server = gdk_x11_display_get_xdisplay(display);
    const int screen = DefaultScreen(server);
    return ServerRect{0, 0, DisplayWidth(server, screen), DisplayHeight(server, screen)};
}

void ScaleServerPixels(int scale) {
    GdkDisplay* display = gdk_display_get_default();
    if (display != nullptr && GDK_IS_X11_DISPLAY(display) && scale > 1) {
        gdk_x11_display_set_window_scale(display, scale);
    }
}

}  // namespace brumelis
