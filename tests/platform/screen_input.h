// Real mouse input at screen coordinates, through SendInput: what a user's
// hand does, seen by the window system exactly as such.
#pragma once

#include "platform/win32/win32_support.h"

namespace brumelis::platform_tests {

enum class MouseButton { Left, Right };

// Moves the pointer and waits until the system has it there.
bool MovePointerTo(POINT screen);
void Press(MouseButton button);
void Release(MouseButton button);
// Two presses and releases in one batch, well inside the double-click time.
void DoubleClickHere();
// Lets go of any button a failed test left held, so the next test starts clean.
void ReleaseHeldButtons();

inline POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace brumelis::platform_tests
