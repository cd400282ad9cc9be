// What the calls need to know of a window before they act on it, read in a
// few round trips to the server.
#pragma once

#include <X11/Xlib.h>

#include "platform/x11/x11_window_system.h"

namespace brumelis {

struct X11WindowSystem::Facts {
    Window window = None;
    XWindowAttributes attributes{};
    // The frame when a window manager reparented the window, else the window.
    Window topLevel = None;
    // The window manager handles it (ICCCM WM_STATE Normal or Iconic); a
    // withdrawn window, mapped or not, is the client's own business.
    bool managed = false;

    bool Framed() const { return topLevel != window; }
    bool OverrideRedirect() const { return attributes.override_redirect != False; }
};

}  // namespace brumelis
