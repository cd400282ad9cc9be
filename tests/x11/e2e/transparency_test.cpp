// The slider sets the target's opacity from the pointer's height, written
// where compositors read it: _NET_WM_WINDOW_OPACITY on the frame, alpha
// times 0x01010101. The panel's background makes the target opaque again.
#include "tests/x11/e2e/e2e_fixture.h"

namespace brumelis::x11_tests {
namespace {

constexpr std::uint32_t OpacityOf(std::uint32_t alpha) {
    return alpha * 0x01010101u;
}

struct SliderDrag {
    const char* name;
    int pressOffset;      // pixels below the slider's top edge
    int releaseOffset;    // may lie outside the slider: the drag keeps going
    std::uint32_t alpha;  // (1335 - offset * 15) / 1335 * 255, clamped, halves to even
    bool folds;           // a release inside the slider is a click on it
};

void PrintTo(const SliderDrag& drag, std::ostream* out) {
    *out << drag.name;
}

class SliderDragTest : public ToolbarTest, public testing::WithParamInterface<SliderDrag> {};

TEST_P(SliderDragTest, SetsTheTargetsOpacityFromTheReleaseHeight) {
    const SliderDrag& drag = GetParam();
    ASSERT_EQ(std::nullopt, Opacity(target_->Id()));
    ASSERT_TRUE(Unfold());

    ASSERT_TRUE(DragOnSlider(drag.pressOffset, drag.releaseOffset));

    const std::uint32_t expected = OpacityOf(drag.alpha);
    EXPECT_TRUE(WaitUntil([&] { return Opacity(target_->Id()) == expected; }))
        << "opacity " << std::hex << Opacity(target_->Id()).value_or(0) << ", expected "
        << expected;
    if (drag.folds) {
        EXPECT_TRUE(SizeBecomes(kFoldedSize));
    } else {
        EXPECT_TRUE(HoldsFor([&] { return ToolbarSize() == kUnfoldedSize; }, kSeveralTicks))
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
    ASSERT_TRUE(DragOnSlider(10, 60, Button::Right));
    EXPECT_TRUE(HoldsFor([&] { return !Opacity(target_->Id()); }, kSeveralTicks));
    EXPECT_EQ(kUnfoldedSize, ToolbarSize());
}

TEST_F(Transparency, ClickOnThePanelBackgroundMakesTheTargetOpaqueAndFolds) {
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(DragOnSlider(10, 44));
    ASSERT_TRUE(WaitUntil([&] { return Opacity(target_->Id()) == OpacityOf(129); }));
    ASSERT_TRUE(SizeBecomes(kFoldedSize));

    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(OnToolbar(kPanelBackground)));
    EXPECT_TRUE(WaitUntil([&] { return Opacity(target_->Id()) == OpacityOf(255); }))
        << std::hex << Opacity(target_->Id()).value_or(0);
    EXPECT_TRUE(SizeBecomes(kFoldedSize));
}

}  // namespace
}  // namespace brumelis::x11_tests
