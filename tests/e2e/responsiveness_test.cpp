// A target whose thread has stopped answering must not hold up the toolbar:
// pin, unpin and a slider drag leave the toolbar's message loop free, and
// what the user asked for happens once the target wakes up.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/heartbeat.h"
#include "tests/e2e/hung_target.h"
#include "tests/e2e/mouse_input.h"
#include "tests/e2e/toolbar_fixture.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {
namespace {

using namespace test_support;

// Long enough that a toolbar waiting for the target shows a gap far above
// the limit, short enough to repeat the suite.
constexpr Milliseconds kHang{3000};
constexpr Milliseconds kLongestGap{200};

class Responsiveness : public ToolbarTest {
protected:
    void SetUp() override {
        ASSERT_NE(hung_.Window(), nullptr) << "no hung target: " << hung_.StartError();
        ASSERT_TRUE(hung_.BringToForeground()) << "the hung target never came forward";
        StartToolbarOn(hung_.Window());
    }

    // Puts the target to sleep, runs the action with a heartbeat on the
    // toolbar until `done` holds, and returns the worst gap.
    template <class Action, class Done>
    Milliseconds WorstGapWhileHung(Action action, Done done) {
        if (!hung_.Hang(kHang)) {
            ADD_FAILURE() << "the target never fell asleep";
            return {};
        }
        Heartbeat heartbeat(toolbar_.PinButton());
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

    bool PinCaptionIs(const wchar_t* caption) const { return toolbar_.PinCaption() == caption; }
    bool Folded() const { return toolbar_.Extent() == kFoldedSize; }

    HungTarget hung_{L"Cible figée", kSecondTargetPlace};
};

TEST_F(Responsiveness, PinningAHungTargetLeavesTheToolbarFreeAndPinsItOnWaking) {
    ASSERT_TRUE(Unfold());
    const Milliseconds worst =
        WorstGapWhileHung([&] { return ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kPinButton)); },
                          [&] { return Folded() && PinCaptionIs(L"-"); });
    EXPECT_LT(worst, kLongestGap);

    ASSERT_TRUE(hung_.WaitUntilAwake(kHang + kStateTimeout));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(hung_.Window()); }));
}

TEST_F(Responsiveness, UnpinningAHungTargetLeavesTheToolbarFreeAndUnpinsItOnWaking) {
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kPinButton)));
    ASSERT_TRUE(WaitUntil([&] { return IsTopmost(hung_.Window()); }));
    // Back on the pinned target, with the toolbar above it again.
    ASSERT_TRUE(hung_.BringToForeground());
    ASSERT_TRUE(WaitUntilFoldedOn(hung_.Window())) << Situation();
    ASSERT_TRUE(WaitUntil([&] { return PinCaptionIs(L"-"); }));
    ASSERT_TRUE(Unfold());

    const Milliseconds worst =
        WorstGapWhileHung([&] { return ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kPinButton)); },
                          [&] { return Folded() && PinCaptionIs(L"+"); });
    EXPECT_LT(worst, kLongestGap);

    ASSERT_TRUE(hung_.WaitUntilAwake(kHang + kStateTimeout));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(hung_.Window()); }));
}

TEST_F(Responsiveness, DraggingOnAHungTargetLeavesTheToolbarFreeAndSetsTheLastAlphaOnWaking) {
    ASSERT_TRUE(Unfold());
    // Released inside the slider: a click, so the panel folds.
    const Milliseconds worst = WorstGapWhileHung(
        [&] { return DragOn(toolbar_.Handle(), toolbar_.Slider(10), toolbar_.Slider(44)); },
        [&] { return Folded(); });
    EXPECT_LT(worst, kLongestGap);

    ASSERT_TRUE(hung_.WaitUntilAwake(kHang + kStateTimeout));
    const std::optional<std::uint8_t> halfway = 129;
    EXPECT_EQ(WaitForValue([&] { return LayeredAlpha(hung_.Window()); }, halfway), halfway);
    EXPECT_TRUE(IsLayered(hung_.Window()));
}

}  // namespace
}  // namespace brumelis::e2e
