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
    Atom netSupportingWmCheck;
    Atom netWmName;
    Atom netWmState;
    Atom netWmStateAbove;
    Atom netWmUserTime;
    Atom netWmWindowOpacity;
    Atom utf8String;
    Atom wmState;
    // The extended style bits that have no X meaning of their own, kept on
    // the window they describe so that they live and die with it and every
    // copy of the program reads the same.
    Atom extendedStyle;
};

}  // namespace brumelis::x11
