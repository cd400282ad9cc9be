// The X11 window system over GDK's own connection: GDK reads the events, so
// every one it reads is handed to the window system's cache first.
#pragma once

#include <gdk/gdk.h>

#include "platform/x11/x11_window_system.h"

namespace brumelis {

class GdkX11WindowSystem {
public:
    // GTK must be initialised on an X11 display.
    GdkX11WindowSystem();
    ~GdkX11WindowSystem();
    GdkX11WindowSystem(const GdkX11WindowSystem&) = delete;
    GdkX11WindowSystem& operator=(const GdkX11WindowSystem&) = delete;

    X11WindowSystem& Windows() { return windows_; }

private:
    static GdkFilterReturn Filter(GdkXEvent* event, GdkEvent*, gpointer self);

    X11WindowSystem windows_;
};

}  // namespace brumelis
