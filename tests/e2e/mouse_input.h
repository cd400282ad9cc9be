// Real mouse input at screen coordinates through SendInput: the program under
// test sees it as it would see a user's hand.
#pragma once

#include <windows.h>

#include "tests/e2e/screen_types.h"
#include "tests/e2e/wait.h"

namespace e2e {

enum class MouseButton { Left, Right };

// Moves the pointer and waits until the system reports it there.
bool MovePointer(Point to);
void Press(MouseButton button);
void Release(MouseButton button);

// Waits until the window under the point (WindowFromPoint) is the root window
// or one of its children: a window that was just brought forward can still
// cover a topmost one until that one is put back on top.
bool WaitUntilUnder(Point point, HWND root, Milliseconds timeout = kStateTimeout);

// Click, double click and drag at screen points, each sent only once the
// point is over the root window (false when it never was).
bool ClickOn(HWND root, Point point, MouseButton button = MouseButton::Left);
bool DoubleClickOn(HWND root, Point point);
// Whether a window of the root's thread holds the mouse capture.
bool HoldsCapture(HWND root);
// Presses at `from`, waits until the root window has taken the capture (so
// that moves outside it still reach it), moves in small steps to `to` and
// releases there.
bool DragOn(HWND root, Point from, Point to, MouseButton button = MouseButton::Left);

}  // namespace e2e
