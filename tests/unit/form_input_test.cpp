// The form's input logic, fed as the toolkits feed it: which presses,
// releases and moves become clicks, double clicks and moves, where capture
// starts and ends, and when a handler may run.
#include <gtest/gtest.h>

#include <functional>
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

std::string Name(ControlId control) {
    return control == kRedSquare ? "RedSquare" : control == kSlider ? "Slider" : "other";
}

// Form events and capture calls, in the order they came.
class Timeline final : public FormEvents, public PointerCapture {
public:
    void Load() override {}
    void Tick(ControlId) override {}
    void Click(ControlId control) override {
        log.push_back("Click " + Name(control));
        if (duringClick) duringClick();
    }
    void DoubleClick(ControlId control) override { log.push_back("DoubleClick " + Name(control)); }
    void MouseDown(ControlId control, const MouseEvent& event) override {
        log.push_back("MouseDown " + Name(control) + " " + std::to_string(event.button));
        last = event;
    }
    void MouseMove(ControlId control, const MouseEvent& event) override {
        log.push_back("MouseMove " + Name(control) + " " + std::to_string(event.button));
        last = event;
    }
    void Capture(ControlId control) override { log.push_back("capture " + Name(control)); }
    void EndCapture(ControlId control) override { log.push_back("end " + Name(control)); }

    std::vector<std::string> log;
    MouseEvent last;
    std::function<void()> duringClick;
};

class FormInputTest : public testing::Test {
protected:
    FormInputTest() { input.Start(timeline); }

    // As GDK does, a release's state still holds the released button.
    void Press(ControlId control, int button) {
        held |= static_cast<unsigned>(button) << 8;
        input.Press({control, button, held, 0, 0});
    }
    void Release(ControlId control, int button, bool over = true) {
        input.Release({control, button, held, 0, 0}, [over] { return over; });
        held &= ~(static_cast<unsigned>(button) << 8);
    }

    FakeDesktop desktop;
    FakeToolkit toolkit{desktop, ToolbarLayout()};
    Timeline timeline;
    FormInput input{toolkit, timeline, kBits};
    unsigned held = 0;
};

using Log = std::vector<std::string>;

TEST_F(FormInputTest, NoClickOffTheControlAfterALostCaptureOrForTheRightButton) {
    Press(kSlider, 1);
    Release(kSlider, 1, /*over=*/false);
    Press(kRedSquare, 1);
    input.CaptureLost();
    Release(kRedSquare, 1);
    Press(kSlider, 2);
    Release(kSlider, 2);
    EXPECT_EQ((Log{"capture Slider", "MouseDown Slider 1", "end Slider", "capture RedSquare",
                   "MouseDown RedSquare 1", "end RedSquare", "capture Slider", "MouseDown Slider 2",
                   "end Slider"}),
              timeline.log);
}

TEST_F(FormInputTest, ClicksFollowTheEndOfCaptureAndTheSecondPressAddsTheDoubleClick) {
    Press(kRedSquare, 1);
    Release(kRedSquare, 1);
    Press(kRedSquare, 1);
    input.SecondPress(kRedSquare);
    Release(kRedSquare, 1);
    EXPECT_EQ((Log{"capture RedSquare", "MouseDown RedSquare 1", "end RedSquare", "Click RedSquare",
                   "capture RedSquare", "MouseDown RedSquare 1", "end RedSquare", "Click RedSquare",
                   "DoubleClick RedSquare"}),
              timeline.log);
}

TEST_F(FormInputTest, CaptureLastsUntilEveryButtonIsUp) {
    Press(kSlider, 1);
    Press(kSlider, 4);
    Release(kSlider, 1, /*over=*/false);
    input.Move({kSlider, 0, held, 0, 0});
    Release(kSlider, 4);
    EXPECT_EQ((Log{"capture Slider", "MouseDown Slider 1", "capture Slider", "MouseDown Slider 4",
                   "MouseMove Slider 4", "end Slider"}),
              timeline.log);
}

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
        input.Move({kSlider, 0, 0, 0, 0});
        const ScopedCount open = input.LetPendingEventsRun();
        input.Move({kRedSquare, 0, 0, 0, 0});
    };
    Press(kSlider, 1);
    Release(kSlider, 1);
    EXPECT_EQ((Log{"capture Slider", "MouseDown Slider 1", "end Slider", "Click Slider",
                   "MouseMove RedSquare 0"}),
              timeline.log);
}

}  // namespace
}  // namespace brumelis
