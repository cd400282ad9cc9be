#include "tests/platform/screen_input.h"

#include "tests/platform/win32_wait.h"

namespace brumelis::platform_tests {

namespace {

// Absolute coordinates are fractions of the primary screen in 1/65536;
// rounding up lands on the intended pixel on both Windows and Wine.
LONG Normalised(LONG pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

INPUT MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

void Send(DWORD flags) {
    INPUT input = MouseInput(flags);
    ::SendInput(1, &input, sizeof input);
}

}  // namespace

bool MovePointerTo(POINT screen) {
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    input.mi.dx = Normalised(screen.x, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(screen.y, ::GetSystemMetrics(SM_CYSCREEN));
    ::SendInput(1, &input, sizeof input);
    return WaitUntil([&] {
        POINT at{};
        return ::GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
    });
}

void Press(MouseButton button) {
    Send(button == MouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
}

void Release(MouseButton button) {
    Send(button == MouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
}

void DoubleClickHere() {
    INPUT inputs[4] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
                       MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    ::SendInput(4, inputs, sizeof inputs[0]);
}

void ReleaseHeldButtons() {
    if (::GetAsyncKeyState(VK_LBUTTON) < 0) Release(MouseButton::Left);
    if (::GetAsyncKeyState(VK_RBUTTON) < 0) Release(MouseButton::Right);
}

}  // namespace brumelis::platform_tests
