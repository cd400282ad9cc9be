#include "tests/platform/window_system_conformance.h"

#include <algorithm>

namespace brumelis::platform_tests {

void WindowSystemConformance::SetUp() {
    backend_ = GetParam()();
}

void WindowSystemConformance::TearDown() {
    for (WindowHandle window : windows_) backend_->DestroyTestWindow(window);
    windows_.clear();
    backend_.reset();
}

WindowHandle WindowSystemConformance::Window(const Text& title, ScreenRect rect, bool visible) {
    const WindowHandle window = backend_->CreateTestWindow(title, rect, visible);
    EXPECT_NE(0, window) << "the backend could not make a window";
    windows_.push_back(window);
    return window;
}

WindowHandle WindowSystemConformance::DestroyedWindow() {
    const WindowHandle window =
        backend_->CreateTestWindow(u"destroyed", ScreenRect{0, 0, 10, 10}, false);
    backend_->DestroyTestWindow(window);
    return window;
}

std::int32_t WindowSystemConformance::ExStyle(WindowHandle window) {
    backend_->Settle();
    return Calls().GetWindowLongA(window, win::kExtendedStyle);
}

bool WindowSystemConformance::IsTopmost(WindowHandle window) {
    return (ExStyle(window) & win::kTopmostStyle) != 0;
}

ScreenRect WindowSystemConformance::RectOf(WindowHandle window) {
    backend_->Settle();
    ScreenRect rect{-1, -1, -1, -1};
    EXPECT_TRUE(Calls().GetWindowRect(window, rect));
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
    for (WindowHandle h = Calls().GetWindow(start, win::kFirstWindow); h != 0 && steps < 10000;
         h = Calls().GetWindow(h, win::kNextWindow), ++steps) {
        if (std::find(windows_.begin(), windows_.end(), h) != windows_.end()) seen.push_back(h);
    }
    EXPECT_LT(steps, 10000) << "the z-order walk did not end";
    return seen;
}

}  // namespace brumelis::platform_tests
