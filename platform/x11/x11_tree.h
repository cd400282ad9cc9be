// Where a window stands in the tree of windows: its parent, and the child of
// the root that holds it (the window manager's frame, or the window itself).
#pragma once

#include <X11/Xlib.h>

namespace brumelis::x11 {

// None for both when the window is gone.
struct Ancestry {
    Window parent = None;
    Window topLevel = None;
};

// One XQueryTree per level: two for a framed window.
Ancestry AncestryOf(Display* display, Window window);

inline Window TopLevelOf(Display* display, Window window) {
    return AncestryOf(display, window).topLevel;
}

}  // namespace brumelis::x11
