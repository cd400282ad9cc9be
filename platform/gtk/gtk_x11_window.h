// What GDK keeps to itself about a window on X11, asked of the X server.
// Apart from the rest of the backend: Xlib's macros (None, Status, Bool...)
// clash with the core's names.
#pragma once

#include <gdk/gdk.h>

#include <cstdint>

namespace brumelis {

struct ServerRect {
    int left, top, width, height;
};

std::uint32_t XidOf(GdkWindow* window);
// The window's place in its parent (the root for a toplevel) and size, as
// the server has them now.
ServerRect ServerGeometry(GdkWindow* window);
// Puts the window's corner at a point of its parent in the server's pixels.
void MoveOnServer(GdkWindow* window, int left, int top);
// The child of the root under a point of the screen: the top-level window
// (or frame) that the pointer there is over.
std::uint32_t ToplevelAt(GdkWindow* window, int x, int y);
// Takes the window out of the compositor's frame synchronisation: GDK
// neither offers its frame counter (_NET_WM_SYNC_REQUEST_COUNTER) nor waits
// for _NET_WM_FRAME_DRAWN. Before the window is first mapped.
void DrawWithoutFrameSync(GdkWindow* window);
// The default display's screen in the server's pixels.
ServerRect ServerScreen();
// GDK's windows drawn `scale` times larger (GDK then counts in pixels of
// that many of the server's), as GNOME's settings daemon tells GDK to where
// Xwayland's coordinates are scaled. Before the first window; GDK_SCALE,
// where set, wins.
void ScaleServerPixels(int scale);

}  // namespace brumelis
