#include "tests/support/mouse_input.h"

#include <chrono>

#include "tests/support/win32_wait.h"

namespace brumelis::test_support {
namespace {

// Absolute coordinates are fractions of the primary screen in 1/65536;
// rounding up makes both Windows and Wine land on the intended pixel.
LONG Normalised(LONG pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

INPUT MouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

// Input has to reach the other thread or process before the next event: a
// pause short against the double-click time and long against Wine's input
// delivery.
void LetInputSettle() {
    PumpMessagesFor(Milliseconds{30});
}

void Send(DWORD flags) {
    INPUT input = MouseInput(flags);
    ::SendInput(1, &input, sizeof input);
    LetInputSettle();
}

bool PointerIsAt(POINT point) {
    POINT at{};
    return ::GetCursorPos(&at) && at.x == point.x && at.y == point.y;
}

}  // namespace

// Under Wine a move warps the X pointer, and the X motion event that follows
// reaches the process whose window lies under the pointer, which reports it
// back as input: handled late, it puts the pointer back where an earlier move
// had left it. So a move counts only once the pointer has stayed put for a
// while, and is sent again when it was undone.
bool MovePointer(POINT to) {
    constexpr Milliseconds kSettled{80};
    const auto deadline = std::chrono::steady_clock::now() + Milliseconds{3000};
    while (std::chrono::steady_clock::now() < deadline) {
        if (!PointerIsAt(to)) {
            INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
            input.mi.dx = Normalised(to.x, ::GetSystemMetrics(SM_CXSCREEN));
            input.mi.dy = Normalised(to.y, ::GetSystemMetrics(SM_CYSCREEN));
            ::SendInput(1, &input, sizeof input);
        }
        if (WaitUntil([&] { return PointerIsAt(to); }, Milliseconds{500}) &&
            HoldsFor([&] { return PointerIsAt(to); }, kSettled))
            return true;
    }
    return false;
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
    LetInputSettle();
}

void ReleaseHeldButtons() {
    if (::GetAsyncKeyState(VK_LBUTTON) < 0) Release(MouseButton::Left);
    if (::GetAsyncKeyState(VK_RBUTTON) < 0) Release(MouseButton::Right);
}

}  // namespace brumelis::test_support
