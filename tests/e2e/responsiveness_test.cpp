// A target whose thread has stopped answering must not hold up the toolbar:
// pin, unpin and a slider drag leave the toolbar's message loop free, and
// what the user asked for happens once the target wakes up.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/heartbeat.h"
#include "tests/e2e/hung_target.h"
#include "tests/e2e/win32_driver.h"
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::e2e {
namespace {

using namespace scenarios;

// Long enough that a toolbar waiting for the target shows a gap far above
// the limit, short enough to repeat the suite.
constexpr Milliseconds kHang{3000};
constexpr Milliseconds kLongestGap{200};

class Responsiveness : public ToolbarScenario {
protected:
    WindowId OpenFirstTarget() override {
        EXPECT_NE(hung_.Window(), nullptr) << "no hung target: " << hung_.StartError();
        return IdOf(hung_.Window());
    }

    // Puts the target to sleep, runs the action with a heartbeat on the
    // toolbar until `done` holds, and returns the worst gap.
    template <class Action, class Done>
    Milliseconds WorstGapWhileHung(Action action, Done done) {
        if (!hung_.Hang(kHang)) {
            ADD_FAILURE() << "the target never fell asleep";
            return {};
        }
        Heartbeat heartbeat(PinButtonOf(Hwnd(toolbar_)));
        EXPECT_TRUE(action());
        EXPECT_TRUE(WaitUntil(done, kHang + kStateTimeout)) << Situation();
        // The toolbar keeps answering after the action, too: a few more beats.
        const int beatsWhenDone = heartbeat.Beats();
        EXPECT_TRUE(WaitUntil([&] { return heartbeat.Beats() >= beatsWhenDone + 3; },
                              kHang + kStateTimeout));
        const Milliseconds worst = heartbeat.Stop();
        std::printf("[ HEARTBEAT] worst gap %lld ms over %d beats\n",
                    static_cast<long long>(worst.count()), heartbeat.Beats());
        return worst;
    }

    bool PinCaptionIs(const char* caption) { return brumelis_->PinCaption() == caption; }
    bool Folded() { return ToolbarSize() == kFoldedSize; }

    HungTarget hung_{L"Cible figée", kSecondTargetPlace};
};

TEST_F(Responsiveness, PinningAHungTargetLeavesTheToolbarFreeAndPinsItOnWaking) {
    ASSERT_TRUE(Unfold());
    const Milliseconds worst = WorstGapWhileHung([&] { return ClickOn(kPinButton); },
                                                 [&] { return Folded() && PinCaptionIs("-"); });
    EXPECT_LT(worst, kLongestGap);

    ASSERT_TRUE(hung_.WaitUntilAwake(kHang + kStateTimeout));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target_); }));
}

TEST_F(Responsiveness, UnpinningAHungTargetLeavesTheToolbarFreeAndUnpinsItOnWaking) {
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(kPinButton));
    ASSERT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target_); }));
    // Back on the pinned target, with the toolbar above it again.
    ASSERT_TRUE(BringToForeground(target_));
    ASSERT_TRUE(FoldedOn(target_));
    ASSERT_TRUE(WaitUntil([&] { return PinCaptionIs("-"); }));
    ASSERT_TRUE(Unfold());

    const Milliseconds worst = WorstGapWhileHung([&] { return ClickOn(kPinButton); },
                                                 [&] { return Folded() && PinCaptionIs("+"); });
    EXPECT_LT(worst, kLongestGap);

    ASSERT_TRUE(hung_.WaitUntilAwake(kHang + kStateTimeout));
    EXPECT_TRUE(WaitUntil([&] { return !driver_->IsKeptAbove(target_); }));
}

TEST_F(Responsiveness, DraggingOnAHungTargetLeavesTheToolbarFreeAndSetsTheLastAlphaOnWaking) {
    ASSERT_TRUE(Unfold());
    // Released inside the slider: a click, so the panel folds.
    const Milliseconds worst =
        WorstGapWhileHung([&] { return DragOnSlider(10, 44); }, [&] { return Folded(); });
    EXPECT_LT(worst, kLongestGap);

    ASSERT_TRUE(hung_.WaitUntilAwake(kHang + kStateTimeout));
    const std::optional<int> halfway = 129;
    EXPECT_EQ(halfway, WaitForValue([&] { return driver_->Alpha(target_); }, halfway));
}

}  // namespace
}  // namespace brumelis::e2e
