// A target moved between two monitors of different scales (a laptop panel
// at 200 % beside a monitor at 100 %): on each the toolbar sits folded on
// the window's visible corner at its size in the desktop's pixels, unfolds
// there and takes the slider's drag and the panel's click, even with its
// corner 5 pixels left of the edge between them.
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
    // What the toolbar must do wherever the target is (`inward`: FoldedOn's).
    void WorksOnTheTarget(int inward = 0) {
        ASSERT_TRUE(FoldedOn(target_, inward));
        // Drawn there too, whole, not only listed there (but for its last
        // row and column, which a scaled GNOME blends with the panel).
        const Rect square{ToolbarRect().left, ToolbarRect().top, 8, 8};
        EXPECT_TRUE(WaitUntil([&] {
            return driver_->Capture(square) == std::vector<std::uint32_t>(64, kPureRed);
        })) << "no whole red square drawn at "
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

TEST_F(TwoMonitors, TheToolbarIsWholeWithTheCornerNearTheEdgeBetweenThem) {
    ASSERT_TRUE(MoveTarget({second_.left - 5, kFirstTargetPlace.top}));
    WorksOnTheTarget(5);
}

}  // namespace
}  // namespace brumelis::scenarios
