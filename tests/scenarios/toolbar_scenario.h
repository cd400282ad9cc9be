// Each scenario gets its own target window in the foreground and its own
// copy of the toolbar program, started after the target and ended before
// it, through the test program's driver.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/scenarios/driver.h"
#include "tests/support/wait.h"

namespace brumelis::scenarios {

inline constexpr Size kFoldedSize{10, 10};
inline constexpr Size kUnfoldedSize{33, 113};
// Pixels from the toolbar's corner: the red square is 9x9 at the corner, the
// pin button 33x17 at (0, 8), the slider 25x89 at (3, 24); the rest is panel.
inline constexpr Point kRedSquare{4, 4};
inline constexpr Point kPinButton{16, 16};
inline constexpr Point kPanelBackground{21, 3};  // right of the square, above the button
inline constexpr int kSliderLeft = 3, kSliderTop = 24, kSliderWidth = 25, kSliderHeight = 89;

// Room around the first target for the unfolded panel and for drags below
// the slider; the second lies apart from it.
inline constexpr Rect kFirstTargetPlace{200, 150, 400, 300};
inline constexpr Rect kSecondTargetPlace{700, 500, 360, 280};

inline constexpr Milliseconds kStateTimeout{5000};
// A Wine process start takes far longer than a state change.
inline constexpr Milliseconds kStartTimeout{20000};
// Long enough for the follower to have acted if it were going to.
inline constexpr Milliseconds kSeveralTicks{500};

// A driver and nothing started yet.
class DriverTest : public testing::Test {
protected:
    bool WaitUntil(const std::function<bool()>& condition, Milliseconds timeout = kStateTimeout) {
        return test_support::WaitUntil(condition, timeout, [this] { driver_->Pause(); });
    }
    bool HoldsFor(const std::function<bool()>& condition, Milliseconds interval = kSeveralTicks) {
        return test_support::HoldsFor(condition, interval, [this] { driver_->Pause(); });
    }
    // The last reading, once it equals the expected value or at the deadline,
    // so that an assertion on it prints what was seen.
    template <class Read, class Value>
    auto WaitForValue(Read read, const Value& expected) {
        auto value = read();
        WaitUntil([&] { return (value = read()) == expected; });
        return value;
    }

    std::unique_ptr<Driver> driver_ = MakeDriver();
};

class ToolbarScenario : public DriverTest {
protected:
    // Starts a copy with the target in the foreground and waits until its
    // toolbar has settled on it.
    void SetUp() override;
    // The copy SetUp starts; null skips the test (a driver that cannot start it so).
    virtual std::unique_ptr<ToolbarCopy> StartFirstCopy() { return driver_->StartCopy(); }
    // The first target; a test with a target of its own overrides it.
    virtual WindowId OpenFirstTarget() { return driver_->OpenTarget("Cible A", kFirstTargetPlace); }
    // Its corner in screen pixels, its size in its own (scaled, a width
    // that is no whole number of them reads negative).
    Rect ToolbarRect();
    Size ToolbarSize() { return ToolbarRect().Extent(); }
    Point OnToolbar(Point part);
    // A point in the slider's middle column, `offset` pixels below its top.
    Point OnSlider(int offset) {
        return OnToolbar({kSliderLeft + kSliderWidth / 2, kSliderTop + offset});
    }

    // Folded on the window's visible corner, and staying there over a tick;
    // up to `inward` pixels left of it where a monitor's edge keeps it.
    testing::AssertionResult FoldedOn(WindowId window, int inward = 0);
    testing::AssertionResult SizeBecomes(Size size);
    // Real input on a part of the toolbar; false when it never was there.
    bool ClickOn(Point part, Button button = Button::Left) {
        return driver_->Click(toolbar_, OnToolbar(part), button);
    }
    bool DoubleClickOn(Point part) { return driver_->DoubleClick(toolbar_, OnToolbar(part)); }
    // Press at one slider height, move to another, release there. Where the
    // desktop draws no opacity, the first release of a drag on the slider
    // (a click on it) says so in a box, which is answered.
    testing::AssertionResult DragOnSlider(int from, int to, Button button = Button::Left);
    // The box the copy shows, answered with real input; gone afterwards.
    testing::AssertionResult AnswerBox(Answer answer);
    // Clicks the red square and waits for the panel.
    testing::AssertionResult Unfold();
    testing::AssertionResult CaptionBecomes(const std::string& caption);
    testing::AssertionResult BringToForeground(WindowId window);
    // The toolbar's place and the foreground window, for failure messages.
    std::string Situation();

    WindowId target_ = 0;
    std::unique_ptr<ToolbarCopy> brumelis_;  // ended before the driver closes the target
    WindowId toolbar_ = 0;
    bool toldOpacityNotShown_ = false;
};

}  // namespace brumelis::scenarios
