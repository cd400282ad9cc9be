// The pin button keeps the target above other windows and takes it out
// again, folding the panel either way; the caption tells, at every tick,
// whether the foreground window is pinned.
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

using Pin = ToolbarScenario;

TEST_F(Pin, PlusPinsTheTargetBelowTheToolbarAndMinusUnpinsIt) {
    if (!driver_->KeepsWindowsAbove()) GTEST_SKIP() << "this desktop keeps no window above";
    ASSERT_FALSE(driver_->IsKeptAbove(target_));
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(CaptionBecomes("+"));

    ASSERT_TRUE(ClickOn(kPinButton));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target_); }))
        << "the target is not kept above; " << Situation();
    EXPECT_TRUE(SizeBecomes(kFoldedSize));
    EXPECT_TRUE(CaptionBecomes("-"));

    // With the target back in the foreground, the next ticks keep the caption
    // and the toolbar above the pinned target. (Right after the click Wine
    // may apply the target's move into the band after the toolbar's own, and
    // ticks change nothing while the toolbar is in the foreground.)
    ASSERT_TRUE(BringToForeground(target_));
    ASSERT_TRUE(FoldedOn(target_));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsStackedAbove(toolbar_, target_); }))
        << Situation();
    EXPECT_TRUE(CaptionBecomes("-"));

    // The follower shows the list's verdict for each foreground window.
    const WindowId other = driver_->OpenTarget("Cible B", kSecondTargetPlace);
    ASSERT_NE(0u, other) << "the second target did not come up";
    ASSERT_TRUE(BringToForeground(other));
    ASSERT_TRUE(FoldedOn(other));
    EXPECT_TRUE(CaptionBecomes("+"));
    EXPECT_FALSE(driver_->IsKeptAbove(other));
    EXPECT_TRUE(driver_->IsStackedAbove(target_, other)) << "a pinned window stays above";
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsStackedAbove(toolbar_, target_); }));

    ASSERT_TRUE(BringToForeground(target_));
    ASSERT_TRUE(FoldedOn(target_));
    EXPECT_TRUE(CaptionBecomes("-"));
    EXPECT_TRUE(driver_->IsKeptAbove(target_));

    // The button now reads "-" for this target: the next click unpins.
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(kPinButton));
    EXPECT_TRUE(WaitUntil([&] { return !driver_->IsKeptAbove(target_); }))
        << "the target is still kept above; " << Situation();
    EXPECT_TRUE(CaptionBecomes("+"));
    EXPECT_TRUE(SizeBecomes(kFoldedSize));
}

// Where the window manager keeps no window above the others, "+" claims no
// pin: the first click says so in a box, the next ones only fold.
TEST_F(Pin, ADesktopThatKeepsNoWindowAboveSaysSoOnceAndPinsNothing) {
    if (driver_->KeepsWindowsAbove()) GTEST_SKIP() << "this desktop keeps windows above";
    for (int click = 0; click < 2; ++click) {
        SCOPED_TRACE(click == 0 ? "first click" : "second click");
        ASSERT_TRUE(Unfold());
        ASSERT_TRUE(ClickOn(kPinButton));
        if (click == 0) {
            ASSERT_TRUE(AnswerBox(Answer::Ok));
        }
        EXPECT_TRUE(SizeBecomes(kFoldedSize));
        ASSERT_TRUE(BringToForeground(target_));
        ASSERT_TRUE(FoldedOn(target_));
        EXPECT_TRUE(CaptionBecomes("+"));
        EXPECT_FALSE(driver_->IsKeptAbove(target_));
    }
    EXPECT_FALSE(brumelis_->Box()) << "told once only";
}

}  // namespace
}  // namespace brumelis::scenarios
