// The compositor's visible frame of a window, in the pixels this program
// reads rectangles in.
#pragma once

#include <windows.h>

#include "base/core_types.h"

namespace brumelis {

// False where the compositor cannot tell (Wine answers E_NOTIMPL; Windows
// before Vista has no dwmapi.dll); the caller then uses the window rectangle,
// which has no invisible borders on those systems anyway.
bool VisibleFrameOf(HWND window, ScreenRect& frame);

}  // namespace brumelis
