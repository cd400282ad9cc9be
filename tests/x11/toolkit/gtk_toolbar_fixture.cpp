#include "tests/x11/toolkit/gtk_toolbar_fixture.h"

#include <gtk/gtk.h>

#include <algorithm>

#include "toolbar/toolbar_layout.h"

namespace brumelis::x11_tests {

void PumpGtk() {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    IdlePump();
}

void GtkToolbarTest::SetUp() {
    ASSERT_TRUE(x_.Opened()) << "no X display";
    ASSERT_TRUE(x_.HasXTest()) << "the display has no XTest extension";
    for (Button button : {Button::Left, Button::Middle, Button::Right}) x_.Release(button);
    x_.MovePointer({20, 20});
    toolkit_ = std::make_unique<GtkToolkit>(ToolbarLayout());
    Form().Move(static_cast<Twips>(kToolbarTopLeft.x * kTwipsPerPixel),
                static_cast<Twips>(kToolbarTopLeft.y * kTwipsPerPixel));
    toolkit_->Start(events_);
    ASSERT_TRUE(WaitUntil(
        [&] {
            const auto area = x_.AreaOf(ToolbarId());
            return x_.IsMappedAndViewable(ToolbarId()) && area && area->left == kToolbarTopLeft.x &&
                   area->top == kToolbarTopLeft.y;
        },
        kStateTimeout, PumpGtk))
        << "the toolbar did not show at its place";
}

void GtkToolbarTest::TearDown() {
    for (Button button : {Button::Left, Button::Middle, Button::Right}) x_.Release(button);
    toolkit_.reset();
    PumpGtk();
}

ScreenArea GtkToolbarTest::Area(ControlId control) {
    const auto toolbar = x_.AreaOf(ToolbarId()).value_or(ScreenArea{});
    int left = toolbar.left, top = toolbar.top;
    // Positions are relative to the container: add the containers' places.
    const FormLayout& layout = ToolbarLayout();
    ControlId current = control;
    ControlGeometry own = Form().Geometry(control);
    while (current != kToolbar) {
        const ControlGeometry geometry = Form().Geometry(current);
        left += static_cast<int>(geometry.left) / kTwipsPerPixel;
        top += static_cast<int>(geometry.top) / kTwipsPerPixel;
        const auto found = std::find_if(layout.controls.begin(), layout.controls.end(),
                                        [&](const ControlLayout& c) { return c.id == current; });
        current = found->container;
    }
    return {left, top, static_cast<int>(own.width) / kTwipsPerPixel,
            static_cast<int>(own.height) / kTwipsPerPixel};
}

testing::AssertionResult GtkToolbarTest::PointAt(ScreenPoint point) {
    if (!WaitUntil([&] { return x_.ToplevelAt(point) == ToolbarId(); }, kStateTimeout, PumpGtk))
        return testing::AssertionFailure() << "the toolbar is not under the point";
    x_.MovePointer(point);
    return testing::AssertionSuccess();
}

testing::AssertionResult GtkToolbarTest::Delivered(EventKind kind, ControlId control, int button) {
    const bool seen = WaitUntil(
        [&] {
            const Events recorded = events_.Recorded();
            return std::any_of(recorded.begin(), recorded.end(), [&](const RecordedEvent& e) {
                return e.kind == kind && e.control == control &&
                       (button < 0 || e.mouse.button == button);
            });
        },
        kStateTimeout, PumpGtk);
    if (seen) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "not delivered; recorded: " << Recent();
}

testing::AssertionResult GtkToolbarTest::MoveAndSee(ControlId control, int button,
                                                    ScreenPoint point) {
    const std::size_t from = events_.Recorded().size();
    const ScreenArea area = Area(control);
    const Twips x = static_cast<Twips>((point.x - area.left) * kTwipsPerPixel);
    const Twips y = static_cast<Twips>((point.y - area.top) * kTwipsPerPixel);
    x_.MovePointer(point);
    const bool seen = WaitUntil(
        [&] {
            const Events recorded = events_.Recorded();
            return std::any_of(recorded.begin() + static_cast<std::ptrdiff_t>(from), recorded.end(),
                               [&](const RecordedEvent& e) {
                                   return e.kind == EventKind::MouseMove && e.control == control &&
                                          e.mouse.button == button && e.mouse.x == x &&
                                          e.mouse.y == y;
                               });
        },
        kStateTimeout, PumpGtk);
    if (seen) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no move with button " << button << " to (" << point.x
                                       << ", " << point.y << "); recorded: " << Recent();
}

testing::AssertionResult GtkToolbarTest::Settled() {
    const ScreenArea square = Area(kRedSquare);
    x_.MovePointer({square.left + 1, square.top + 1});
    return MoveAndSee(kRedSquare, 0, square.Centre());
}

std::string GtkToolbarTest::Recent() const {
    std::string text;
    for (const RecordedEvent& e : events_.Recorded()) {
        if (e.kind != EventKind::Tick) text += "\n  " + platform_tests::Describe(e);
    }
    return text;
}

}  // namespace brumelis::x11_tests
