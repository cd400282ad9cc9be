// The GTK toolkit turns real X input into the form's events: presses,
// releases, moves with their button state and twip positions, clicks only
// where the press began, double clicks after the second click, and ticks.
#include <algorithm>

#include "tests/x11/toolkit/gtk_toolbar_fixture.h"

namespace brumelis::x11_tests {
namespace {

using platform_tests::PressesAndClicks;
using GtkToolkitEvents = GtkToolbarTest;

Twips TwipsFrom(int pixels) {
    return static_cast<Twips>(pixels * kTwipsPerPixel);
}

const RecordedEvent* FirstOf(const Events& events, EventKind kind) {
    const auto found = std::find_if(events.begin(), events.end(),
                                    [&](const RecordedEvent& e) { return e.kind == kind; });
    return found == events.end() ? nullptr : &*found;
}

TEST_F(GtkToolkitEvents, PressAndReleaseOnTheRedSquareGiveMouseDownThenClick) {
    const ScreenArea square = Area(kRedSquare);
    const ScreenPoint point{square.left + 3, square.top + 5};
    ASSERT_TRUE(PointAt(point));
    x_.Press(Button::Left);
    ASSERT_TRUE(Delivered(EventKind::MouseDown, kRedSquare));
    x_.Release(Button::Left);
    ASSERT_TRUE(Delivered(EventKind::Click, kRedSquare));

    const Events recorded = events_.Recorded();
    EXPECT_EQ((std::vector<std::string>{"MouseDown RedSquare button 1", "Click RedSquare"}),
              PressesAndClicks(recorded));
    const RecordedEvent* down = FirstOf(recorded, EventKind::MouseDown);
    EXPECT_EQ(TwipsFrom(3), down->mouse.x);
    EXPECT_EQ(TwipsFrom(5), down->mouse.y);
}

TEST_F(GtkToolkitEvents, DragOutOfTheSliderKeepsReportingToItAndGivesNoClick) {
    const ScreenArea slider = Area(kSlider);
    const ScreenPoint start{slider.left + 12, slider.top + 36};
    const ScreenPoint path[] = {
        {slider.left + 12, slider.top + 60},                                 // still inside
        {slider.left - 20, slider.top - 10},                                 // negative positions
        {slider.left + slider.width + 15, slider.top + slider.height + 11},  // off the toolbar
    };
    ASSERT_TRUE(PointAt(start));
    x_.Press(Button::Left);
    ASSERT_TRUE(Delivered(EventKind::MouseDown, kSlider, 1));
    for (const ScreenPoint& point : path) ASSERT_TRUE(MoveAndSee(kSlider, 1, point));
    const Events dragged = events_.Recorded();
    x_.Release(Button::Left);
    ASSERT_TRUE(Settled());

    EXPECT_EQ((std::vector<std::string>{"MouseDown Slider button 1"}),
              PressesAndClicks(events_.Recorded()))
        << "a release away from the slider is no click";
    const RecordedEvent* down = FirstOf(dragged, EventKind::MouseDown);
    EXPECT_EQ(TwipsFrom(12), down->mouse.x);
    EXPECT_EQ(TwipsFrom(36), down->mouse.y);
    for (const RecordedEvent* e = down; e != dragged.data() + dragged.size(); ++e) {
        if (e->kind != EventKind::MouseMove) continue;
        EXPECT_EQ(kSlider, e->control) << platform_tests::Describe(*e);
        EXPECT_EQ(1, e->mouse.button) << platform_tests::Describe(*e);
    }
}

// A release counts as a click only over the control that was pressed, and
// only where no other control lies on top of it.
struct PressAndRelease {
    const char* name;
    ControlId pressed;
    ScreenPoint pressAt;  // pixels from the pressed control's top-left corner
    ControlId releasedOn;
    ScreenPoint releaseAt;  // pixels from that control's top-left corner
    std::vector<std::string> expected;
};

void PrintTo(const PressAndRelease& row, std::ostream* out) {
    *out << row.name;
}

class GtkToolkitClicks : public GtkToolbarTest,
                         public testing::WithParamInterface<PressAndRelease> {};

TEST_P(GtkToolkitClicks, ClickOnlyWhereThePressBegan) {
    const PressAndRelease& row = GetParam();
    const ScreenArea pressed = Area(row.pressed);
    const ScreenArea released = Area(row.releasedOn);
    ASSERT_TRUE(PointAt({pressed.left + row.pressAt.x, pressed.top + row.pressAt.y}));
    x_.Press(Button::Left);
    ASSERT_TRUE(Delivered(EventKind::MouseDown, row.pressed, 1));
    x_.MovePointer({released.left + row.releaseAt.x, released.top + row.releaseAt.y});
    x_.Release(Button::Left);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(row.expected, PressesAndClicks(events_.Recorded()));
}

INSTANTIATE_TEST_SUITE_P(Releases, GtkToolkitClicks,
                         testing::Values(
                             // The panel's background lies right of the red square.
                             PressAndRelease{"OnThePanelBackground",
                                             kPanel,
                                             {20, 3},
                                             kPanel,
                                             {25, 4},
                                             {"MouseDown Panel button 1", "Click Panel"}},
                             PressAndRelease{"FromThePanelOntoTheSlider",
                                             kPanel,
                                             {20, 3},
                                             kSlider,
                                             {5, 5},
                                             {"MouseDown Panel button 1"}},
                             PressAndRelease{"FromTheRedSquareOntoThePanel",
                                             kRedSquare,
                                             {4, 4},
                                             kPanel,
                                             {20, 3},
                                             {"MouseDown RedSquare button 1"}},
                             // Row 8 belongs to the square and to the button: the square is on top.
                             PressAndRelease{"OnTheRowTheRedSquareCoversOfTheButton",
                                             kRedSquare,
                                             {4, 8},
                                             kRedSquare,
                                             {5, 8},
                                             {"MouseDown RedSquare button 1", "Click RedSquare"}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(GtkToolkitEvents, DoubleClickOnAPictureGivesTwoClicksThenTheDoubleClick) {
    ASSERT_TRUE(PointAt(Area(kRedSquare).Centre()));
    x_.Click(Button::Left);
    x_.Click(Button::Left);
    ASSERT_TRUE(Delivered(EventKind::DoubleClick, kRedSquare));
    EXPECT_EQ((std::vector<std::string>{"MouseDown RedSquare button 1", "Click RedSquare",
                                        "MouseDown RedSquare button 1", "Click RedSquare",
                                        "DoubleClick RedSquare"}),
              PressesAndClicks(events_.Recorded()));
}

TEST_F(GtkToolkitEvents, MovesWithTheRightButtonHeldCarryButtonStateTwo) {
    const ScreenArea slider = Area(kSlider);
    ASSERT_TRUE(PointAt({slider.left + 10, slider.top + 20}));
    x_.Press(Button::Right);
    ASSERT_TRUE(Delivered(EventKind::MouseDown, kSlider, 2));
    EXPECT_TRUE(MoveAndSee(kSlider, 2, {slider.left + 14, slider.top + 50}));
    x_.Release(Button::Right);
    ASSERT_TRUE(Settled());
    EXPECT_EQ((std::vector<std::string>{"MouseDown Slider button 2"}),
              PressesAndClicks(events_.Recorded()))
        << "the right button never clicks";
}

TEST_F(GtkToolkitEvents, ClickOnThePushButtonGivesItsClick) {
    // The button's top row lies under the red square: aim below the square.
    const ScreenArea button = Area(kPinButton);
    ASSERT_TRUE(PointAt({button.left + button.width / 2, button.top + 10}));
    x_.Click(Button::Left);
    ASSERT_TRUE(Delivered(EventKind::Click, kPinButton));
    EXPECT_EQ((std::vector<std::string>{"Click PinButton"}), PressesAndClicks(events_.Recorded()))
        << "the button reports its click only";
}

TEST_F(GtkToolkitEvents, TimerTicksKeepComing) {
    auto ticks = [&] {
        const Events recorded = events_.Recorded();
        return std::count_if(recorded.begin(), recorded.end(), [](const RecordedEvent& e) {
            return e.kind == EventKind::Tick && e.control == kFollowTimer;
        });
    };
    const auto before = ticks();
    // Ticks come every 100 ms; three within two seconds leaves room for a
    // loaded machine without timing anything.
    EXPECT_TRUE(WaitUntil([&] { return ticks() >= before + 3; }, Milliseconds{2000}, PumpGtk))
        << ticks() - before << " ticks in 2 s";
}

}  // namespace
}  // namespace brumelis::x11_tests
