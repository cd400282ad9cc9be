#include "tests/e2e/mouse_input.h"

#include <chrono>

#include "tests/e2e/window_queries.h"

namespace e2e {
namespace {

// Absolute coordinates are fractions of the primary screen in 1/65536;
// rounding up makes both Windows and Wine land on the intended pixel.
LONG Normalised(int pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

void SendMouse(DWORD flags, Point at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = Normalised(at.x, GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = Normalised(at.y, GetSystemMetrics(SM_CYSCREEN));
    }
    SendInput(1, &input, sizeof input);
}

// Input has to reach the other process before the next event: a pause short
// against the double-click time and long against Wine's input delivery.
void LetInputSettle() {
    PumpMessagesFor(Milliseconds{30});
}

bool PointerIsAt(Point point) {
    POINT at{};
    return GetCursorPos(&at) && at.x == point.x && at.y == point.y;
}

}  // namespace

// Under Wine a move warps the X pointer, and the X motion event that follows
// reaches the process whose window lies under the pointer, which reports it
// back as input: handled late, it puts the pointer back where an earlier move
// had left it. So a move counts only once the pointer has stayed put for a
// while, and is sent again when it was undone.
bool MovePointer(Point to) {
    constexpr Milliseconds kSettled{80};
    const auto deadline = std::chrono::steady_clock::now() + Milliseconds{3000};
    while (std::chrono::steady_clock::now() < deadline) {
        if (!PointerIsAt(to)) SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to);
        if (WaitUntil([&] { return PointerIsAt(to); }, Milliseconds{500}) &&
            HoldsFor([&] { return PointerIsAt(to); }, kSettled))
            return true;
    }
    return false;
}

void Press(MouseButton button) {
    SendMouse(button == MouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
    LetInputSettle();
}

void Release(MouseButton button) {
    SendMouse(button == MouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
    LetInputSettle();
}

bool WaitUntilUnder(Point point, HWND root, Milliseconds timeout) {
    return WaitUntil(
        [&] {
            return BelongsTo(WindowFromPoint(POINT{point.x, point.y}), root);
        },
        timeout);
}

// The pointer settles first; the window under it is checked last, with no
// message handled in between that could restack the driver's own windows.
bool PointAt(HWND root, Point point) {
    return MovePointer(point) && WaitUntilUnder(point, root);
}

bool ClickOn(HWND root, Point point, MouseButton button) {
    if (!PointAt(root, point)) return false;
    Press(button);
    Release(button);
    return true;
}

bool DoubleClickOn(HWND root, Point point) {
    if (!PointAt(root, point)) return false;
    // Both clicks go out together so that they fall well inside the
    // double-click time, however busy the machine is.
    INPUT inputs[4]{};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = (i % 2 == 0) ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, inputs, sizeof inputs[0]);
    LetInputSettle();
    return true;
}

bool HoldsCapture(HWND root) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(root, nullptr), &info) &&
           BelongsTo(info.hwndCapture, root);
}

bool DragOn(HWND root, Point from, Point to, MouseButton button) {
    if (!PointAt(root, from)) return false;
    Press(button);
    // Moves sent before the press is handled go to whatever window lies
    // under the pointer.
    if (!WaitUntil([&] { return HoldsCapture(root); })) {
        Release(button);
        return false;
    }
    constexpr int kSteps = 4;
    bool moved = true;
    for (int i = 1; i <= kSteps; ++i) {
        const Point step{from.x + (to.x - from.x) * i / kSteps,
                         from.y + (to.y - from.y) * i / kSteps};
        moved = MovePointer(step) && moved;
    }
    Release(button);
    return moved;
}

}  // namespace e2e
