#include "tests/scenarios/toolbar_scenario.h"

#include <algorithm>
#include <sstream>

namespace brumelis::scenarios {

void ToolbarScenario::SetUp() {
    target_ = OpenFirstTarget();
    ASSERT_NE(0u, target_) << "the target did not come up";
    ASSERT_TRUE(BringToForeground(target_));
    brumelis_ = StartFirstCopy();
    if (IsSkipped() || HasFatalFailure()) return;
    if (!brumelis_) GTEST_SKIP() << "the driver cannot start the program so here";
    ASSERT_TRUE(brumelis_->Started()) << "the program did not start";
    WaitUntil([&] { return (toolbar_ = brumelis_->Toolbar()) != 0 || !brumelis_->IsRunning(); },
              kStartTimeout);
    ASSERT_NE(0u, toolbar_) << "the toolbar never showed; program running: "
                            << brumelis_->IsRunning();
    // Clicks need a toolbar that stays put: the follower's first ticks glue
    // it to the target.
    ASSERT_TRUE(FoldedOn(target_));
}

Rect ToolbarScenario::ToolbarRect() {
    const Rect seen = driver_->VisibleFrame(toolbar_);
    const int scale = driver_->ToolbarScale();
    const auto own = [scale](int length) { return length % scale == 0 ? length / scale : -length; };
    return {seen.left, seen.top, own(seen.width), own(seen.height)};
}

// The middle of the part's pixel on the screen.
Point ToolbarScenario::OnToolbar(Point part) {
    const Rect toolbar = ToolbarRect();
    const int scale = driver_->ToolbarScale();
    return {toolbar.left + part.x * scale + scale / 2, toolbar.top + part.y * scale + scale / 2};
}

testing::AssertionResult ToolbarScenario::FoldedOn(WindowId window, int inward) {
    const auto settled = [&] {
        const Rect frame = driver_->VisibleFrame(window), tile = ToolbarRect();
        return tile == Rect{std::clamp(tile.left, frame.left - inward, frame.left), frame.top,
                            kFoldedSize.width, kFoldedSize.height};
    };
    // Held over a tick: a tick already under way may still move it.
    if (WaitUntil(settled) && HoldsFor(settled, Milliseconds{200}))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "not folded on the corner of window " << window << " "
                                       << driver_->VisibleFrame(window) << "; " << Situation();
}

testing::AssertionResult ToolbarScenario::SizeBecomes(Size size) {
    if (WaitUntil([&] { return ToolbarSize() == size; })) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the toolbar is not " << size << "; " << Situation();
}

testing::AssertionResult ToolbarScenario::Unfold() {
    if (!ClickOn(kRedSquare))
        return testing::AssertionFailure() << "the red square was never there; " << Situation();
    return SizeBecomes(kUnfoldedSize);
}

testing::AssertionResult ToolbarScenario::CaptionBecomes(const std::string& caption) {
    const std::optional<std::string> seen =
        WaitForValue([&] { return brumelis_->PinCaption(); }, std::optional<std::string>(caption));
    if (seen == caption) return testing::AssertionSuccess();
    if (!seen) {
        return testing::AssertionFailure()
               << "the pin button's caption could not be read (expected \"" << caption << "\")";
    }
    return testing::AssertionFailure()
           << "the pin button reads \"" << *seen << "\", not \"" << caption << "\"";
}

testing::AssertionResult ToolbarScenario::BringToForeground(WindowId window) {
    if (driver_->BringToForeground(window)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "window " << window << " never became the foreground "
                                       << "window; " << Situation();
}

std::string ToolbarScenario::Situation() {
    std::ostringstream out;
    const WindowId foreground = driver_->Foreground();
    out << "toolbar " << ToolbarRect() << ", foreground window "
        << (foreground == toolbar_ ? std::string("the toolbar") : std::to_string(foreground))
        << ", target " << target_ << " " << driver_->VisibleFrame(target_);
    return out.str();
}

testing::AssertionResult ToolbarScenario::DragOnSlider(int from, int to, Button button) {
    if (!driver_->Drag(toolbar_, OnSlider(from), OnSlider(to), button)) {
        return testing::AssertionFailure() << "the drag found no toolbar; " << Situation();
    }
    const bool releasedOnSlider = to >= 0 && to < kSliderHeight;
    if (button != Button::Left || !releasedOnSlider || toldOpacityNotShown_ ||
        driver_->ShowsOpacity()) {
        return testing::AssertionSuccess();
    }
    toldOpacityNotShown_ = true;
    return AnswerBox(Answer::Ok);
}

testing::AssertionResult ToolbarScenario::AnswerBox(Answer answer) {
    std::optional<MessageBoxReading> box;
    if (!WaitUntil([&] { return (box = brumelis_->Box()).has_value(); })) {
        return testing::AssertionFailure() << "no box came; " << Situation();
    }
    if (!brumelis_->Answer(*box, answer)) {
        return testing::AssertionFailure() << "the box \"" << box->title << "\" has no such button";
    }
    if (!WaitUntil([&] { return !brumelis_->Box(); })) {
        return testing::AssertionFailure() << "the box stayed after its answer";
    }
    return testing::AssertionSuccess();
}

}  // namespace brumelis::scenarios
