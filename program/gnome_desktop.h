// GNOME (Wayland): a Wayland session with org.gnome.Shell on the session
// bus; Brumelis's Shell extension for the other windows, the toolbar an
// override-redirect window under Xwayland at the corner the extension
// reports (docs/design.md, "GNOME (Wayland)").
#pragma once

#include "program/session_picker.h"

namespace brumelis {

DesktopBackend GnomeDesktop();

}  // namespace brumelis
