// The slider sets the target's opacity from the pointer's height; the panel's
// background makes the target opaque again.
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

struct SliderDrag {
    const char* name;
    int pressOffset;    // pixels below the slider's top edge
    int releaseOffset;  // may lie outside the slider: the drag keeps going
    int alpha;          // (1335 - offset * 15) / 1335 * 255, clamped, halves to even
    bool folds;         // a release inside the slider is a click on it
};

void PrintTo(const SliderDrag& drag, std::ostream* out) {
    *out << drag.name;
}

class SliderDragTest : public ToolbarScenario, public testing::WithParamInterface<SliderDrag> {};

TEST_P(SliderDragTest, SetsTheTargetsOpacityFromTheReleaseHeight) {
    const SliderDrag& drag = GetParam();
    ASSERT_EQ(driver_->UnsetAlpha(), driver_->Alpha(target_));
    ASSERT_TRUE(Unfold());

    ASSERT_TRUE(DragOnSlider(drag.pressOffset, drag.releaseOffset));

    const std::optional<int> expected = drag.alpha;
    EXPECT_EQ(expected, WaitForValue([&] { return driver_->Alpha(target_); }, expected))
        << Situation();
    if (drag.folds) {
        EXPECT_TRUE(SizeBecomes(kFoldedSize));
    } else {
        EXPECT_TRUE(HoldsFor([&] { return ToolbarSize() == kUnfoldedSize; })) << Situation();
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

using Transparency = ToolbarScenario;

TEST_F(Transparency, RightButtonDragChangesNothing) {
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(DragOnSlider(10, 60, Button::Right));
    EXPECT_TRUE(HoldsFor([&] { return driver_->Alpha(target_) == driver_->UnsetAlpha(); }))
        << driver_->Alpha(target_).value_or(-1);
    EXPECT_EQ(kUnfoldedSize, ToolbarSize());
}

TEST_F(Transparency, ClickOnThePanelBackgroundMakesTheTargetOpaqueAndFolds) {
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(DragOnSlider(10, 44));
    const std::optional<int> halfway = 129;
    ASSERT_EQ(halfway, WaitForValue([&] { return driver_->Alpha(target_); }, halfway));
    ASSERT_TRUE(SizeBecomes(kFoldedSize));

    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(kPanelBackground));
    const std::optional<int> opaque = 255;
    EXPECT_EQ(opaque, WaitForValue([&] { return driver_->Alpha(target_); }, opaque));
    EXPECT_TRUE(SizeBecomes(kFoldedSize));
}

// A window that paints its own translucency: the slider's change is not
// made, a box says why, and the window keeps its own look.
TEST_F(Transparency, AWindowThatDrawsItsOwnTranslucencyIsLeftAsItIsAndSaysWhy) {
    const WindowId drawn = driver_->OpenTargetThatDrawsItself("Cible dessinée", kSecondTargetPlace);
    if (drawn == 0) GTEST_SKIP() << "no such window on this desktop";
    ASSERT_TRUE(BringToForeground(drawn));
    ASSERT_TRUE(FoldedOn(drawn));
    const std::optional<int> before = driver_->Alpha(drawn);
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(driver_->Drag(toolbar_, OnSlider(10), OnSlider(44), Button::Left));
    std::optional<MessageBoxReading> box;
    ASSERT_TRUE(WaitUntil([&] { return (box = brumelis_->Box()).has_value(); })) << Situation();
    if (box->text) {
        EXPECT_NE(std::string::npos, box->text->find("dessine elle-même")) << *box->text;
    }
    ASSERT_TRUE(brumelis_->Answer(*box, Answer::Ok));
    EXPECT_EQ(before, driver_->Alpha(drawn));
}

}  // namespace
}  // namespace brumelis::scenarios
