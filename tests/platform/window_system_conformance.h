// The window system on the rules the core relies on, written once and
// run against every backend: natively against the simulated desktop, under
// Wine (and unchanged on Windows) against user32 with real windows. A case
// that fails on one backend only shows where the fake and Windows part.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "tests/platform/window_backend.h"

namespace brumelis::platform_tests {

class WindowSystemConformance : public ::testing::TestWithParam<WindowBackendFactory> {
protected:
    void SetUp() override;
    void TearDown() override;

    WindowSystem& Calls() { return backend_->Calls(); }
    WindowBackend& Backend() { return *backend_; }

    // Windows made here are destroyed after the test.
    WindowHandle Window(const Text& title = u"conformance",
                        ScreenRect rect = ScreenRect{40, 50, 240, 170}, bool visible = true);
    // A handle that named a window of the test, now destroyed.
    WindowHandle DestroyedWindow();

    // The readers below first let the window manager catch up (Settle).
    bool IsKeptAbove(WindowHandle window);
    // The visible frame; all -1 when there is none.
    ScreenRect RectOf(WindowHandle window);
    WindowHandle Foreground();
    // The test's own windows in the order a walk that starts at the top of
    // the level of `start` meets them; other programs' windows are skipped.
    std::vector<WindowHandle> WalkFrom(WindowHandle start);
    // The window's title as the snapshot from its own level lists it.
    std::optional<Text> TitleOf(WindowHandle window, std::size_t titleLength);

private:
    std::unique_ptr<WindowBackend> backend_;
    std::vector<WindowHandle> windows_;
};

// Left, top, right, bottom: compared and printed as one value.
inline std::array<std::int32_t, 4> Corners(const ScreenRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace brumelis::platform_tests
