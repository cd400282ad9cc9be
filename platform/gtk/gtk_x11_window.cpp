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

}  // namespace brumelis
