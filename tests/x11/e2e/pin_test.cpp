// "+" keeps the target above all other windows through the window manager;
// "-" takes it out again. Either way the panel folds.
#include "tests/x11/e2e/e2e_fixture.h"

namespace brumelis::x11_tests {
namespace {

using Pin = ToolbarTest;

TEST_F(Pin, PlusPutsTheTargetAboveAndMinusTakesItOff) {
    ASSERT_FALSE(IsAbove(target_->Id()));
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(OnToolbar(kPinButton)));
    EXPECT_TRUE(WaitUntil([&] { return IsAbove(target_->Id()); }))
        << "no _NET_WM_STATE_ABOVE on the target; " << Situation();
    EXPECT_TRUE(SizeBecomes(kFoldedSize));

    // The button now reads "-" for this target.
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(OnToolbar(kPinButton)));
    EXPECT_TRUE(WaitUntil([&] { return !IsAbove(target_->Id()); }))
        << "the target is still above; " << Situation();
    EXPECT_TRUE(SizeBecomes(kFoldedSize));
}

}  // namespace
}  // namespace brumelis::x11_tests
