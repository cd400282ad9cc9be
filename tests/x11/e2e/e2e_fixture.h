// Each end-to-end test gets its own target window (another process's,
// framed by the window manager) as the active window and its own copy of
// the toolbar program, started after the target and ended before it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "tests/x11/e2e/toolbar_program.h"
#include "tests/x11/support/wait.h"
#include "tests/x11/support/x_session.h"
#include "tests/x11/target_process.h"

namespace brumelis::x11_tests {

struct Size {
    int width, height;
    bool operator==(const Size& other) const {
        return width == other.width && height == other.height;
    }
};
std::ostream& operator<<(std::ostream& out, const Size& size);

inline constexpr Size kFoldedSize{10, 10};
inline constexpr Size kUnfoldedSize{33, 113};
// Points of the toolbar in pixels from its top-left corner.
inline constexpr ScreenPoint kRedSquare{4, 4};
inline constexpr ScreenPoint kPanelBackground{20, 3};  // right of the square
inline constexpr ScreenPoint kPinButton{16, 16};       // below the square
inline constexpr int kSliderLeft = 3, kSliderTop = 24, kSliderWidth = 25, kSliderHeight = 89;
// Long enough for the follower to have acted if it were going to.
inline constexpr Milliseconds kSeveralTicks{500};

class ToolbarTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A framed target window of its own process, made the active window.
    std::unique_ptr<TargetProcess> StartTarget(const std::string& title, ScreenRect rect);
    testing::AssertionResult Activate(XWindowId client);

    // The window manager's frame around a client window: what the compositor
    // fades. The toolbar sits on its visible part, FrameArea.
    XWindowId FrameOf(XWindowId client) const { return x_.TopLevelOf(client); }
    ScreenArea FrameArea(XWindowId client) const;
    ScreenArea ToolbarArea() const;
    Size ToolbarSize() const;
    ScreenPoint OnToolbar(ScreenPoint point) const;
    ScreenPoint OnSlider(int offset) const;

    // The toolbar folded on the target's top-left corner, and staying there.
    testing::AssertionResult FoldedOn(XWindowId client);
    testing::AssertionResult SizeBecomes(Size size);
    // Clicks on a point of the toolbar once it really is the window there.
    testing::AssertionResult ClickOn(ScreenPoint point, Button button = Button::Left);
    testing::AssertionResult DoubleClickOn(ScreenPoint point);
    // Press at one slider height, move to another, release there.
    testing::AssertionResult DragOnSlider(int from, int to, Button button = Button::Left);
    testing::AssertionResult Unfold();
    std::string Situation() const;

    std::optional<std::uint32_t> Opacity(XWindowId client) const {
        return x_.Cardinal(FrameOf(client), "_NET_WM_WINDOW_OPACITY");
    }
    bool IsAbove(XWindowId client) const;

    XSession x_;
    std::unique_ptr<TargetProcess> target_;
    std::unique_ptr<ToolbarProgram> brumelis_;
    XWindowId toolbar_ = 0;
};

}  // namespace brumelis::x11_tests
