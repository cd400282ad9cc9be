// Windows makes the toolbar the foreground window when it is clicked: the
// follower then leaves everything alone, and a user's double click on the
// slider cannot reach it twice.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/e2e/mouse_input.h"
#include "tests/e2e/win32_driver.h"
#include "tests/e2e/window_queries.h"
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::e2e {
namespace {

using namespace scenarios;

using ForegroundToolbar = ToolbarScenario;

TEST_F(ForegroundToolbar, LeavesEverythingAloneWhileTheToolbarIsInTheForeground) {
    ASSERT_TRUE(Unfold());
    ASSERT_EQ(driver_->Foreground(), toolbar_)
        << "after a click the toolbar should be the foreground window; it is a "
        << testing::PrintToString(ClassName(GetForegroundWindow()));

    const Rect unfolded = ToolbarRect();
    const Rect frame = driver_->VisibleFrame(target_);
    driver_->Move(target_, {frame.left + 40, frame.top + 30});
    EXPECT_TRUE(HoldsFor([&] { return ToolbarRect() == unfolded; })) << ToolbarRect();
}

// The first click folds the panel, so the second press, well inside the
// double-click time, lands on the window below the toolbar.
TEST_F(ForegroundToolbar, DoubleClickOnTheSliderFoldsAndItsSecondPressReachesTheWindowBelow) {
    ASSERT_TRUE(Unfold());
    const TargetWindow& target = *OpenedTarget(*driver_, target_);
    const int pressesBefore = target.LeftPresses();

    const auto firstClick = std::chrono::steady_clock::now();
    ASSERT_TRUE(ClickOn({kSliderLeft + kSliderWidth / 2, kSliderTop + 44}));
    ASSERT_TRUE(SizeBecomes(kFoldedSize));
    test_support::Press(MouseButton::Left);
    test_support::Release(MouseButton::Left);
    const auto interval = std::chrono::steady_clock::now() - firstClick;
    ASSERT_LT(interval, Milliseconds{GetDoubleClickTime()}) << "too slow for a double click";

    EXPECT_TRUE(WaitUntil([&] { return target.LeftPresses() == pressesBefore + 1; }))
        << "presses on the target: " << target.LeftPresses() - pressesBefore;
    EXPECT_TRUE(HoldsFor([&] { return ToolbarSize() == kFoldedSize; })) << ToolbarSize();
    EXPECT_EQ(std::nullopt, driver_->Alpha(target_));
}

}  // namespace
}  // namespace brumelis::e2e
