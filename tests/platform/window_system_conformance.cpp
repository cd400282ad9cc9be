#include "tests/platform/window_system_conformance.h"

#include <algorithm>

namespace brumelis::platform_tests {

void WindowSystemConformance::SetUp() {
    backend_ = GetParam()();
}

void WindowSystemConformance::TearDown() {
    for (WindowHandle hWnd : windows_) backend_->DestroyTestWindow(hWnd);
    windows_.clear();
    backend_.reset();
}

WindowHandle WindowSystemConformance::Window(const Text& title, ScreenRect rect, bool visible) {
    const WindowHandle hWnd = backend_->CreateTestWindow(title, rect, visible);
    EXPECT_NE(0, hWnd) << "the backend could not make a window";
    windows_.push_back(hWnd);
    return hWnd;
}

WindowHandle WindowSystemConformance::DestroyedWindow() {
    const WindowHandle hWnd =
        backend_->CreateTestWindow(u"destroyed", ScreenRect{0, 0, 10, 10}, false);
    backend_->DestroyTestWindow(hWnd);
    return hWnd;
}

std::int32_t WindowSystemConformance::ExStyle(WindowHandle hWnd) {
    backend_->Settle();
    return Calls().GetWindowLongA(hWnd, win::GWL_EXSTYLE);
}

bool WindowSystemConformance::IsTopmost(WindowHandle hWnd) {
    return (ExStyle(hWnd) & win::WS_EX_TOPMOST) != 0;
}

ScreenRect WindowSystemConformance::RectOf(WindowHandle hWnd) {
    backend_->Settle();
    ScreenRect rect{-1, -1, -1, -1};
    EXPECT_TRUE(Calls().GetWindowRect(hWnd, rect));
    return rect;
}

WindowHandle WindowSystemConformance::Foreground() {
    backend_->Settle();
    return Calls().GetForegroundWindow();
}

std::vector<WindowHandle> WindowSystemConformance::WalkFrom(WindowHandle start) {
    backend_->Settle();
    std::vector<WindowHandle> seen;
    // A bound on the walk: a broken GW_HWNDNEXT must not hang the suite.
    int steps = 0;
    for (WindowHandle h = Calls().GetWindow(start, win::GW_HWNDFIRST); h != 0 && steps < 10000;
         h = Calls().GetWindow(h, win::GW_HWNDNEXT), ++steps) {
        if (std::find(windows_.begin(), windows_.end(), h) != windows_.end()) seen.push_back(h);
    }
    EXPECT_LT(steps, 10000) << "the z-order walk did not end";
    return seen;
}

}  // namespace brumelis::platform_tests
