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

bool WindowSystemConformance::IsKeptAbove(WindowHandle window) {
    backend_->Settle();
    return backend_->KeptAbove(window);
}

ScreenRect WindowSystemConformance::RectOf(WindowHandle window) {
    backend_->Settle();
    const std::optional<ScreenRect> frame = Calls().VisibleFrame(window);
    EXPECT_TRUE(frame.has_value());
    return frame.value_or(ScreenRect{-1, -1, -1, -1});
}

WindowHandle WindowSystemConformance::Foreground() {
    backend_->Settle();
    return Calls().ForegroundWindow();
}

std::vector<WindowHandle> WindowSystemConformance::WalkFrom(WindowHandle start) {
    backend_->Settle();
    std::vector<WindowHandle> seen;
    for (const ListedWindow& listed : Calls().TopLevelWindows(start, 118)) {
        if (std::find(windows_.begin(), windows_.end(), listed.window) != windows_.end())
            seen.push_back(listed.window);
    }
    return seen;
}

std::optional<Text> WindowSystemConformance::TitleOf(WindowHandle window, std::size_t titleLength) {
    for (const ListedWindow& listed : Calls().TopLevelWindows(window, titleLength)) {
        if (listed.window == window) return listed.title;
    }
    ADD_FAILURE() << "the window is not in the snapshot of its own level";
    return std::nullopt;
}

}  // namespace brumelis::platform_tests
