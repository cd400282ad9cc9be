// A program started with the session, before its desktop answers (autostart
// races the compositor, the Shell or its extension): it waits quietly,
// showing nothing, and its one toolbar comes on the focused window once the
// desktop is ready; then it follows and pins as ever.
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

class LateDesktop : public ToolbarScenario {
protected:
    std::unique_ptr<ToolbarCopy> StartFirstCopy() override {
        std::unique_ptr<ToolbarCopy> copy = driver_->StartCopyBeforeDesktop();
        if (!copy) return copy;
        // Long enough for a copy that gave up to have said so, or ended.
        waitedQuietly_ =
            copy->Started() &&
            HoldsFor([&] { return copy->IsRunning() && copy->Toolbar() == 0 && !copy->Box(); },
                     Milliseconds(2000));
        EXPECT_TRUE(waitedQuietly_) << "running: " << copy->IsRunning();
        EXPECT_TRUE(driver_->LetDesktopCome()) << "the driver could not let the desktop come";
        return copy;
    }

    bool waitedQuietly_ = false;
};

TEST_F(LateDesktop, TheToolbarComesOnceTheDesktopIsReadyAndWorks) {
    ASSERT_TRUE(waitedQuietly_);
    EXPECT_FALSE(brumelis_->Box()) << "a box came with the toolbar";
    const WindowId other = driver_->OpenTarget("Cible B", kSecondTargetPlace);
    ASSERT_NE(0u, other) << "the second target did not come up";
    ASSERT_TRUE(BringToForeground(other));
    ASSERT_TRUE(FoldedOn(other));
    ASSERT_TRUE(BringToForeground(target_));
    ASSERT_TRUE(FoldedOn(target_));
    if (!driver_->KeepsWindowsAbove()) return;
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(kPinButton));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target_); })) << Situation();
    EXPECT_TRUE(CaptionBecomes("-"));
}

}  // namespace
}  // namespace brumelis::scenarios
