// The tile follows the foreground window: it sits folded on the window's
// visible corner above it, folds for a new window, keeps its size for the
// same one, and unfolds and folds on a click of its red square.
#include <iostream>

#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

using Follower = ToolbarScenario;
using FoldToggle = ToolbarScenario;

TEST_F(Follower, SitsFoldedAboveEachNewForegroundWindowAndFoldsOnASwitch) {
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsStackedAbove(toolbar_, target_); }));
    EXPECT_TRUE(CaptionBecomes("+"));

    const WindowId other = driver_->OpenTarget("Cible B", kSecondTargetPlace);
    ASSERT_NE(0u, other) << "the second target did not come up";
    ASSERT_TRUE(BringToForeground(other));
    EXPECT_TRUE(FoldedOn(other));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsStackedAbove(toolbar_, other); }));
    EXPECT_TRUE(CaptionBecomes("+"));

    ASSERT_TRUE(BringToForeground(target_));
    ASSERT_TRUE(FoldedOn(target_));
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(BringToForeground(other));
    EXPECT_TRUE(FoldedOn(other)) << "an unfolded panel folds on a switch";
}

TEST_F(Follower, UnfoldedToolbarFollowsItsMovedTargetAndFoldsOnASwitch) {
    // Back to the same target after a click in the toolbar, as a user's click
    // on the target would do: no new target, so the panel stays unfolded.
    // Wine reports no foreground window for a moment during the switch; a
    // tick that falls into it takes none for a new target and folds the
    // toolbar at (0, 0), as it must. That is Wine's timing, not the
    // follower's rule, so the switch gets three tries.
    const Rect frame = driver_->VisibleFrame(target_);
    const Rect unfoldedOnTarget{frame.left, frame.top, kUnfoldedSize.width, kUnfoldedSize.height};
    bool kept = false;
    for (int attempt = 0; attempt < 3 && !kept; ++attempt) {
        ASSERT_TRUE(Unfold());
        ASSERT_EQ(unfoldedOnTarget, ToolbarRect()) << "it unfolds in place; " << Situation();
        ASSERT_TRUE(BringToForeground(target_));
        kept = HoldsFor([&] { return ToolbarRect() == unfoldedOnTarget; });
        if (!kept) {
            std::cout << "[  AGAIN   ] the switch back folded the toolbar (" << Situation()
                      << ")\n";
            ASSERT_TRUE(FoldedOn(target_));
            // Held past the double-click time: the next click on the same
            // square would otherwise be a double click (the presentation box).
            ASSERT_TRUE(HoldsFor([&] { return ToolbarSize() == kFoldedSize; }));
        }
    }
    ASSERT_TRUE(kept) << Situation();

    driver_->Move(target_, {frame.left + 120, frame.top + 70});
    ASSERT_TRUE(WaitUntil([&] { return driver_->VisibleFrame(target_) != frame; }))
        << "the target did not move";
    const auto onMovedCorner = [&] {
        const Rect moved = driver_->VisibleFrame(target_);
        return ToolbarRect() ==
               Rect{moved.left, moved.top, kUnfoldedSize.width, kUnfoldedSize.height};
    };
    EXPECT_TRUE(WaitUntil(onMovedCorner)) << Situation();

    const WindowId other = driver_->OpenTarget("Cible B", kSecondTargetPlace);
    ASSERT_NE(0u, other) << "the second target did not come up";
    ASSERT_TRUE(BringToForeground(other));
    EXPECT_TRUE(FoldedOn(other));
}

TEST_F(FoldToggle, ClickOnTheRedSquareUnfoldsInPlaceAndAnotherClickFolds) {
    const Point corner = ToolbarRect().Origin();
    ASSERT_TRUE(ClickOn(kRedSquare));
    ASSERT_TRUE(SizeBecomes(kUnfoldedSize));
    EXPECT_EQ(corner, ToolbarRect().Origin()) << "it unfolds in place";
    EXPECT_TRUE(HoldsFor([&] { return ToolbarSize() == kUnfoldedSize; }))
        << "nothing else changed: the follower keeps the panel open; " << Situation();

    ASSERT_TRUE(ClickOn(kRedSquare));
    EXPECT_TRUE(SizeBecomes(kFoldedSize));
}

}  // namespace
}  // namespace brumelis::scenarios
