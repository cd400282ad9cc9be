// sway (and the wlroots compositors that speak its IPC): a Wayland session
// whose $SWAYSOCK answers; GTK on Wayland with the toolbar as a layer-shell
// overlay surface, sway's IPC for the other windows.
#pragma once

#include "program/session_picker.h"

namespace brumelis {

DesktopBackend SwayDesktop();

}  // namespace brumelis
