// The EWMH and ICCCM atoms the window system uses, interned in one request.
#pragma once

#include <X11/Xlib.h>

namespace brumelis::x11 {

struct Atoms {
    explicit Atoms(Display* display);

    Atom netActiveWindow;
    Atom netClientList;
    Atom netFrameExtents;
    Atom netRestackWindow;
    Atom netSupported;
    Atom netWmName;
    Atom netWmState;
    Atom netWmStateAbove;
    Atom netWmWindowOpacity;
    Atom utf8String;
    Atom wmState;
    // The selection a compositing manager owns on the default screen.
    Atom netWmCompositor;
};

}  // namespace brumelis::x11
