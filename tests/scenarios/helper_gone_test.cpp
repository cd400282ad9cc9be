// The desktop's helper taken away or restarted by another program while the
// toolbar runs (KWin's script unloaded, sway's configuration reloaded): a
// change it cannot make now is not shown done, and the toolbar follows again
// once the program has the helper back.
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

using HelperGone = ToolbarScenario;

// The button keeps "+", a box says why, nothing is pinned later; then the
// pin works.
TEST_F(HelperGone, APinTheDesktopCannotMakeNowIsNotShownDone) {
    if (!driver_->KeepsWindowsAbove()) GTEST_SKIP() << "this desktop keeps no window above";
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(CaptionBecomes("+"));
    if (!driver_->RestartHelper(*brumelis_)) GTEST_SKIP() << "no helper to take away here";
    ASSERT_TRUE(ClickOn(kPinButton));
    ASSERT_TRUE(AnswerBox(Answer::Ok));
    ASSERT_TRUE(BringToForeground(target_));
    ASSERT_TRUE(FoldedOn(target_));
    EXPECT_TRUE(CaptionBecomes("+"));
    EXPECT_FALSE(driver_->IsKeptAbove(target_));

    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(kPinButton));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target_); })) << Situation();
    EXPECT_TRUE(CaptionBecomes("-"));
}

// Nothing asked meanwhile: the program notices by itself (KWin: within its
// quiet answer, ten seconds, and two more).
TEST_F(HelperGone, TheToolbarFollowsTheNextWindowOnceTheHelperIsBack) {
    if (!driver_->RestartHelper(*brumelis_)) GTEST_SKIP() << "no helper to restart here";
    const WindowId other = driver_->OpenTarget("Cible B", kSecondTargetPlace);
    ASSERT_NE(0u, other) << "the second target did not come up";
    ASSERT_TRUE(BringToForeground(other));
    EXPECT_TRUE(WaitUntil([&] { return static_cast<bool>(FoldedOn(other)); }, Milliseconds(20000)))
        << Situation();
    ASSERT_TRUE(BringToForeground(target_));
    EXPECT_TRUE(FoldedOn(target_));
}

}  // namespace
}  // namespace brumelis::scenarios
