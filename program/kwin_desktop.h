// The backend of a KDE Plasma session on Wayland: the KWin window system,
// the GTK toolkit with the toolbar as a layer-shell surface.
#pragma once

#include "program/session_picker.h"

namespace brumelis {

DesktopBackend KWinDesktop();

}  // namespace brumelis
