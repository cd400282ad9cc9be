#include "tests/e2e/mouse_input.h"

#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using test_support::Press;
using test_support::Release;
using test_support::WaitUntil;

bool WaitUntilUnder(Point point, HWND root, test_support::Milliseconds timeout) {
    return WaitUntil(
        [&] {
            return BelongsTo(WindowFromPoint(POINT{point.x, point.y}), root);
        },
        timeout);
}

namespace {

// The pointer settles first; the window under it is checked last, with no
// message handled in between that could restack the driver's own windows.
bool PointAt(HWND root, Point point) {
    return MovePointer(point) && WaitUntilUnder(point, root);
}

}  // namespace

bool ClickOn(HWND root, Point point, MouseButton button) {
    if (!PointAt(root, point)) return false;
    Press(button);
    Release(button);
    return true;
}

bool DoubleClickOn(HWND root, Point point) {
    if (!PointAt(root, point)) return false;
    test_support::DoubleClickHere();
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

}  // namespace brumelis::e2e
