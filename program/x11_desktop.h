// The X11 desktop: any session that is not Wayland, on a display with an
// EWMH window manager; GTK on X11 and the X11 window system over GDK's own
// connection.
#pragma once

#include "program/session_picker.h"

namespace brumelis {

DesktopBackend X11Desktop();

}  // namespace brumelis
