// The form's input logic, fed as the toolkits feed it: which presses,
// releases and moves become clicks, double clicks and moves, where capture
// starts and ends, and when a handler may run.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/fake/fake_toolkit.h"
#include "platform/form_input.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis {
namespace {

// A native state word of the test's own: a button's bit is its number << 8.
constexpr unsigned kLeft = 0x100, kRight = 0x200, kMiddle = 0x400;
constexpr unsigned kShift = 0x1, kControl = 0x2, kAlt = 0x10;
constexpr NativeStateBits kBits{kLeft, kRight, kMiddle, kShift, kControl, kAlt};

using Log = std::vector<std::string>;

// The slider's form events and capture calls, in the order they came.
class Timeline final : public FormEvents, public PointerCapture {
public:
    void Load() override {}
    void Tick(ControlId) override {}
    void Click(ControlId) override {
        log.push_back("Click");
        if (duringClick) duringClick();
    }
    void DoubleClick(ControlId) override { log.push_back("DoubleClick"); }
    void MouseDown(ControlId, const MouseEvent& event) override {
        log.push_back("MouseDown " + std::to_string(event.button));
        last = event;
    }
    void MouseMove(ControlId, const MouseEvent& event) override {
        log.push_back("MouseMove " + std::to_string(event.button));
        last = event;
    }
    void Capture(ControlId) override { log.push_back("capture"); }
    void EndCapture(ControlId) override { log.push_back("end"); }

    Log log;
    MouseEvent last;
    std::function<void()> duringClick;
};

class FormInputTest : public testing::Test {
protected:
    FormInputTest() { input.Start(timeline); }

    // As GDK does, a release's state still holds the released button.
    void Press(int button) {
        held |= static_cast<unsigned>(button) << 8;
        input.Press({kSlider, button, held, 0, 0});
    }
    void Release(int button, bool over = true) {
        input.Release({kSlider, button, held, 0, 0}, [over] { return over; });
        held &= ~(static_cast<unsigned>(button) << 8);
    }

    FakeDesktop desktop;
    FakeToolkit toolkit{desktop, ToolbarLayout()};
    Timeline timeline;
    FormInput input{toolkit, timeline, kBits};
    unsigned held = 0;
};

enum class Act { Press, Release, ReleaseOff, Move, SecondPress, LoseCapture };
struct Step {
    Act act;
    int button;
};
struct Sequence {
    const char* name;
    std::vector<Step> steps;
    Log expected;
};

void PrintTo(const Sequence& row, std::ostream* out) {
    *out << row.name;
}

class FormInputSequences : public FormInputTest, public testing::WithParamInterface<Sequence> {};

TEST_P(FormInputSequences, GiveTheirEventsAndCaptureCallsInOrder) {
    for (const Step& step : GetParam().steps) {
        switch (step.act) {
            case Act::Press: Press(step.button); break;
            case Act::Release: Release(step.button); break;
            case Act::ReleaseOff: Release(step.button, /*over=*/false); break;
            case Act::Move: input.Move({kSlider, 0, held, 0, 0}); break;
            case Act::SecondPress: input.SecondPress(kSlider); break;
            case Act::LoseCapture: input.CaptureLost(); break;
        }
    }
    EXPECT_EQ(GetParam().expected, timeline.log);
}

INSTANTIATE_TEST_SUITE_P(
    Input, FormInputSequences,
    testing::Values(Sequence{"ClickAfterTheCaptureEndsThenDoubleClickAfterTheSecondClick",
                             {{Act::Press, 1},
                              {Act::Release, 1},
                              {Act::Press, 1},
                              {Act::SecondPress, 0},
                              {Act::Release, 1}},
                             {"capture", "MouseDown 1", "end", "Click", "capture", "MouseDown 1",
                              "end", "Click", "DoubleClick"}},
                    Sequence{"NoClickOffTheControl",
                             {{Act::Press, 1}, {Act::ReleaseOff, 1}},
                             {"capture", "MouseDown 1", "end"}},
                    Sequence{"NoClickAfterTheCaptureIsLost",
                             {{Act::Press, 1}, {Act::LoseCapture, 0}, {Act::Release, 1}},
                             {"capture", "MouseDown 1", "end"}},
                    Sequence{"TheRightButtonNeverClicks",
                             {{Act::Press, 2}, {Act::Release, 2}},
                             {"capture", "MouseDown 2", "end"}},
                    // A move reports the buttons still held.
                    Sequence{"CaptureLastsUntilEveryButtonIsUp",
                             {{Act::Press, 1},
                              {Act::Press, 4},
                              {Act::ReleaseOff, 1},
                              {Act::Move, 0},
                              {Act::Release, 4}},
                             {"capture", "MouseDown 1", "capture", "MouseDown 4", "MouseMove 4",
                              "end"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(FormInputTest, StateWordAndPixelsBecomeButtonsShiftAndTwips) {
    input.Move({kSlider, 0, kLeft | kRight | kShift | kAlt, -2, 3});
    EXPECT_EQ(3, timeline.last.button);
    EXPECT_EQ(1 | 4, timeline.last.shift);
    EXPECT_EQ(-30, timeline.last.x);
    EXPECT_EQ(45, timeline.last.y);
    input.Press({kSlider, 4, kMiddle | kControl, 1, 0});
    EXPECT_EQ(4, timeline.last.button) << "a press reports the pressed button";
    EXPECT_EQ(2, timeline.last.shift);
}

TEST_F(FormInputTest, EventsDuringAHandlerRunOnlyInsideDoEvents) {
    timeline.duringClick = [this] {
        input.Move({kSlider, 0, kLeft, 0, 0});
        const ScopedCount open = input.LetPendingEventsRun();
        input.Move({kSlider, 0, kRight, 0, 0});
    };
    Press(1);
    Release(1);
    EXPECT_EQ((Log{"capture", "MouseDown 1", "end", "Click", "MouseMove 2"}), timeline.log);
}

}  // namespace
}  // namespace brumelis
