// A target moved between two monitors of different scales (a laptop panel
// at 200 % beside a monitor at 100 %): on each the toolbar sits folded on
// the window's visible corner at its size in the desktop's pixels, unfolds
// there and takes the slider's drag and the panel's click.
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

constexpr std::uint32_t kPureRed = 0xFF0000;

class TwoMonitors : public ToolbarScenario {
protected:
    void SetUp() override {
        const std::optional<Rect> second = driver_->SecondMonitor();
        if (!second) GTEST_SKIP() << "one monitor in this session";
        second_ = *second;
        ToolbarScenario::SetUp();
    }
    // Moves the target's corner and waits until the window system has it there.
    testing::AssertionResult MoveTarget(Point corner) {
        driver_->Move(target_, corner);
        if (WaitUntil([&] { return driver_->VisibleFrame(target_).Origin() == corner; }))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "the target never reached " << corner << "; " << Situation();
    }
    // What the toolbar must do wherever the target is.
    void WorksOnTheTarget() {
        ASSERT_TRUE(FoldedOn(target_));
        // Drawn there too, not only listed there.
        const Point square = OnToolbar(kRedSquare);
        EXPECT_TRUE(WaitUntil([&] {
            return driver_->Capture({square.x, square.y, 1, 1}) == std::vector{kPureRed};
        })) << "no red square drawn at "
            << square << "; " << Situation();
        ASSERT_TRUE(Unfold());
        ASSERT_TRUE(DragOnSlider(10, 44));
        const std::optional<int> halfway = 129;
        EXPECT_EQ(halfway, WaitForValue([&] { return driver_->Alpha(target_); }, halfway))
            << Situation();
        ASSERT_TRUE(SizeBecomes(kFoldedSize));
        ASSERT_TRUE(Unfold());
        ASSERT_TRUE(ClickOn(kPanelBackground));
        const std::optional<int> opaque = 255;
        EXPECT_EQ(opaque, WaitForValue([&] { return driver_->Alpha(target_); }, opaque))
            << Situation();
        EXPECT_TRUE(SizeBecomes(kFoldedSize));
    }

    Rect second_;
};

TEST_F(TwoMonitors, TheToolbarWorksOnTheWindowOnEitherMonitor) {
    const Point onSecond{second_.left + kFirstTargetPlace.left,
                         second_.top + kFirstTargetPlace.top};
    for (const Point corner : {onSecond, kFirstTargetPlace.Origin(), onSecond}) {
        SCOPED_TRACE(testing::Message() << "target at " << corner);
        ASSERT_TRUE(MoveTarget(corner));
        WorksOnTheTarget();
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace brumelis::scenarios
