// The tile follows the active window's frame, folds when another window
// becomes active, and unfolds on a click of its red square.
#include "tests/x11/e2e/e2e_fixture.h"

namespace brumelis::x11_tests {
namespace {

using Follower = ToolbarTest;
using FoldToggle = ToolbarTest;

constexpr ScreenRect kSecondTargetPlace{700, 500, 1060, 780};

TEST_F(FoldToggle, ClickOnTheRedSquareUnfoldsAndAnotherClickFolds) {
    ASSERT_TRUE(ClickOn(OnToolbar(kRedSquare)));
    ASSERT_TRUE(SizeBecomes(kUnfoldedSize));
    EXPECT_EQ(FrameArea(target_->Id()).left, ToolbarArea().left) << "it unfolds in place";
    EXPECT_TRUE(HoldsFor([&] { return ToolbarSize() == kUnfoldedSize; }, kSeveralTicks))
        << "the target stays the same: the follower keeps the panel open; " << Situation();

    ASSERT_TRUE(ClickOn(OnToolbar(kRedSquare)));
    EXPECT_TRUE(SizeBecomes(kFoldedSize));
}

TEST_F(Follower, FollowsTheTargetWhenItMovesAndKeepsThePanelOpen) {
    ASSERT_TRUE(Unfold());
    const ScreenArea before = FrameArea(target_->Id());
    x_.MoveClient(target_->Id(), {before.left + 120, before.top + 70});
    ASSERT_TRUE(WaitUntil([&] { return FrameArea(target_->Id()).left != before.left; }))
        << "the window manager did not move the target";

    EXPECT_TRUE(WaitUntil([&] {
        const ScreenArea frame = FrameArea(target_->Id());
        return ToolbarArea().left == frame.left && ToolbarArea().top == frame.top;
    })) << Situation();
    EXPECT_EQ(kUnfoldedSize, ToolbarSize());
}

TEST_F(Follower, FoldsOnTheCornerOfEachWindowThatBecomesActive) {
    auto other = StartTarget("Cible B", kSecondTargetPlace);
    ASSERT_TRUE(other) << "the second target did not come up";
    EXPECT_TRUE(FoldedOn(other->Id()));

    ASSERT_TRUE(Activate(target_->Id()));
    ASSERT_TRUE(FoldedOn(target_->Id()));
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(Activate(other->Id()));
    EXPECT_TRUE(FoldedOn(other->Id())) << "an unfolded panel folds on a switch";
}

}  // namespace
}  // namespace brumelis::x11_tests
