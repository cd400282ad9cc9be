// The keys on X11 over GDK's own connection: GDK reads the events, and the
// presses of the grabbed keys are taken before it sees them.
#pragma once

#include <gdk/gdk.h>

#include "platform/x11/x11_key_source.h"

namespace brumelis {

class GdkX11Keys {
public:
    // GTK must be initialised on an X11 display.
    GdkX11Keys();
    ~GdkX11Keys();
    GdkX11Keys(const GdkX11Keys&) = delete;
    GdkX11Keys& operator=(const GdkX11Keys&) = delete;

    KeySource& Keys() { return keys_; }

private:
    static GdkFilterReturn Filter(GdkXEvent* event, GdkEvent*, gpointer self);

    X11KeySource keys_;
};

}  // namespace brumelis
