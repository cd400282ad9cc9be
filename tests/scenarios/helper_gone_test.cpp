// The desktop's helper taken away or restarted by another program while the
// toolbar runs (KWin's script unloaded, sway's configuration reloaded): a
// pin or a fade it cannot make now is not shown done, and the toolbar
// follows again once the program has the helper back.
#include <cstdlib>

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

// The same for a fade: either the slider's change is not made and a box
// says why, or the program had its helper back before the drag ended (KWin
// reloads its script at once) and made it; never a fade shown and not made.
TEST_F(HelperGone, AFadeTheDesktopCannotMakeNowIsNotShownDone) {
    if (!driver_->ShowsOpacity()) GTEST_SKIP() << "this desktop shows no opacity";
    ASSERT_TRUE(Unfold());
    if (!driver_->RestartHelper(*brumelis_)) GTEST_SKIP() << "no helper to take away here";
    const std::optional<int> before = driver_->Alpha(target_);
    const std::optional<int> faded = 129;
    const auto alpha = [&] { return driver_->Alpha(target_); };
    ASSERT_TRUE(driver_->Drag(toolbar_, OnSlider(10), OnSlider(44), Button::Left));
    ASSERT_TRUE(WaitUntil([&] { return brumelis_->Box() || alpha() == faded; })) << Situation();
    if (alpha() == faded) {
        EXPECT_TRUE(HoldsFor([&] { return !brumelis_->Box(); })) << "made, and said not made";
        return;
    }
    ASSERT_TRUE(AnswerBox(Answer::Ok));
    EXPECT_TRUE(HoldsFor([&] { return alpha() == before; })) << alpha().value_or(-1);

    ASSERT_TRUE(BringToForeground(target_));
    ASSERT_TRUE(FoldedOn(target_));
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(DragOnSlider(10, 44));
    // Within the screen's reading of it (KWin keeps two decimals).
    EXPECT_TRUE(WaitUntil([&] { return alpha() && std::abs(*alpha() - *faded) <= 1; }))
        << alpha().value_or(-1) << "; " << Situation();
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
