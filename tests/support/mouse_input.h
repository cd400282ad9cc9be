// Real mouse input at screen coordinates through SendInput, for the Win32
// test programs: the program under test sees it as it would see a user's hand.
#pragma once

#include <windows.h>

namespace brumelis::test_support {

enum class MouseButton { Left, Right };

// Moves the pointer and waits until the system reports it there, and it has
// stayed there (see the .cpp for what Wine does with a warp).
bool MovePointer(POINT to);
// Each lets the input reach the other threads and processes before it returns.
void Press(MouseButton button);
void Release(MouseButton button);
// Two presses and releases in one batch, well inside the double-click time
// however busy the machine is.
void DoubleClickHere();
// Lets go of any button a failed test left held, so the next test starts clean.
void ReleaseHeldButtons();

inline POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace brumelis::test_support
