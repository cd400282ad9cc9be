// The top-level window list of the instance check: every child of the root,
// topmost first, mapped or not, override-redirect ones included, with a
// window manager's frame standing for the client inside it, each with its
// title. Run once per start, it asks the server every time instead of
// keeping a cache.
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <vector>

#include "platform/window_system.h"

namespace brumelis::x11 {

struct Atoms;

// Titles from _NET_WM_NAME (UTF-8), else WM_NAME, cut to `titleLength`
// UTF-16 characters; nothing for a window gone meanwhile.
std::vector<ListedWindow> ListTopLevelWindows(Display* display, const Atoms& atoms,
                                              std::size_t titleLength);

}  // namespace brumelis::x11
