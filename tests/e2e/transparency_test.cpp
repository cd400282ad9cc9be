// The slider sets the target's opacity from the pointer's height; the panel's
// background makes the target opaque again.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "tests/e2e/mouse_input.h"
#include "tests/e2e/toolbar_fixture.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using namespace test_support;
namespace {

struct SliderDrag {
    const char* name;
    int pressOffset;    // pixels below the slider's top edge
    int releaseOffset;  // may lie outside the slider: the drag keeps going
    int alpha;          // from (1335 - offset * 15) / 1335 * 255, clamped, halves to even
    bool folds;         // a release inside the slider is a click on it
};

void PrintTo(const SliderDrag& drag, std::ostream* out) {
    *out << drag.name;
}

class SliderDragTest : public ToolbarTest, public testing::WithParamInterface<SliderDrag> {};

TEST_P(SliderDragTest, SetsTheTargetsOpacityFromTheReleaseHeight) {
    const SliderDrag& drag = GetParam();
    ASSERT_FALSE(IsLayered(target_.Handle()));
    ASSERT_TRUE(Unfold());

    ASSERT_TRUE(DragOn(toolbar_.Handle(), toolbar_.Slider(drag.pressOffset),
                       toolbar_.Slider(drag.releaseOffset)));

    const std::optional<std::uint8_t> expected = static_cast<std::uint8_t>(drag.alpha);
    EXPECT_EQ(WaitForValue([&] { return LayeredAlpha(target_.Handle()); }, expected), expected)
        << Situation();
    EXPECT_TRUE(IsLayered(target_.Handle()));
    if (drag.folds) {
        EXPECT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);
    } else {
        EXPECT_TRUE(HoldsFor([&] { return toolbar_.Extent() == kUnfoldedSize; }, kSeveralTicks))
            << Situation();
    }
}

INSTANTIATE_TEST_SUITE_P(Heights, SliderDragTest,
                         testing::Values(SliderDrag{"TopIsOpaque", 40, 0, 255, true},
                                         SliderDrag{"NearTheMiddle", 10, 44, 129, true},
                                         SliderDrag{"NearTheBottom", 10, 88, 3, true},
                                         SliderDrag{"AboveTheSliderClampsTo255", 40, -10, 255,
                                                    false},
                                         SliderDrag{"BelowTheSliderClampsTo0", 10, 100, 0, false}),
                         [](const auto& drag) { return std::string(drag.param.name); });

using Transparency = ToolbarTest;

TEST_F(Transparency, RightButtonDragChangesNothing) {
    ASSERT_TRUE(Unfold());

    ASSERT_TRUE(
        DragOn(toolbar_.Handle(), toolbar_.Slider(10), toolbar_.Slider(60), MouseButton::Right));

    EXPECT_TRUE(HoldsFor([&] { return !IsLayered(target_.Handle()); }, kSeveralTicks));
    EXPECT_EQ(toolbar_.Extent(), kUnfoldedSize);
}

TEST_F(Transparency, ClickOnThePanelBackgroundMakesTheTargetOpaqueAndFolds) {
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(DragOn(toolbar_.Handle(), toolbar_.Slider(10), toolbar_.Slider(44)));
    const std::optional<std::uint8_t> halfway = 129;
    ASSERT_EQ(WaitForValue([&] { return LayeredAlpha(target_.Handle()); }, halfway), halfway);
    ASSERT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);

    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kPanelBackground)));

    const std::optional<std::uint8_t> opaque = 255;
    EXPECT_EQ(WaitForValue([&] { return LayeredAlpha(target_.Handle()); }, opaque), opaque);
    EXPECT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);
}

// A user's double click cannot reach the slider twice: the first click folds
// the panel, so the second press, well inside the double-click time, lands on
// the window below the toolbar.
TEST_F(Transparency, DoubleClickOnTheSliderFoldsAndItsSecondPressReachesTheWindowBelow) {
    ASSERT_TRUE(Unfold());
    const int pressesBefore = target_.LeftPresses();

    const auto firstClick = std::chrono::steady_clock::now();
    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.Slider(44)));
    ASSERT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);
    Press(MouseButton::Left);
    Release(MouseButton::Left);
    const auto interval = std::chrono::steady_clock::now() - firstClick;
    ASSERT_LT(interval, Milliseconds{GetDoubleClickTime()}) << "too slow for a double click";

    EXPECT_TRUE(WaitUntil([&] { return target_.LeftPresses() == pressesBefore + 1; }))
        << "presses on the target: " << target_.LeftPresses() - pressesBefore;
    EXPECT_TRUE(HoldsFor([&] { return toolbar_.Extent() == kFoldedSize; }, kSeveralTicks))
        << toolbar_.Extent();
    EXPECT_EQ(LayeredAlpha(target_.Handle()), std::nullopt);
}

}  // namespace
}  // namespace brumelis::e2e
