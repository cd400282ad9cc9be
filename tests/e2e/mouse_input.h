// Clicks, double clicks and drags on another process's windows, at screen
// points, each sent only once the point is over the window meant.
#pragma once

#include <windows.h>

#include "tests/e2e/screen_types.h"
#include "tests/support/mouse_input.h"
#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

using test_support::MouseButton;

// Moves the pointer and waits until the system reports it there.
inline bool MovePointer(Point to) {
    return test_support::MovePointer(POINT{to.x, to.y});
}

// Waits until the window under the point (WindowFromPoint) is the root window
// or one of its children: a window that was just brought forward can still
// cover a topmost one until that one is put back on top.
bool WaitUntilUnder(Point point, HWND root,
                    test_support::Milliseconds timeout = test_support::kStateTimeout);

// False when the point never was over the root window.
bool ClickOn(HWND root, Point point, MouseButton button = MouseButton::Left);
bool DoubleClickOn(HWND root, Point point);
// Whether a window of the root's thread holds the mouse capture.
bool HoldsCapture(HWND root);
// Presses at `from`, waits until the root window has taken the capture (so
// that moves outside it still reach it), moves in small steps to `to` and
// releases there.
bool DragOn(HWND root, Point from, Point to, MouseButton button = MouseButton::Left);

}  // namespace brumelis::e2e
