// The opacity a point of the slider stands for.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "toolbar/slider_alpha.h"

namespace brumelis {
namespace {

struct AlphaCase {
    const char* why;
    Twips height;
    Twips y;
    std::optional<int> alpha;
};

class SliderAlphaTest : public ::testing::TestWithParam<AlphaCase> {};

TEST_P(SliderAlphaTest, ClampsAndRoundsHalvesToEven) {
    const AlphaCase& c = GetParam();
    const std::optional<std::uint8_t> alpha = SliderAlpha(c.height, c.y);
    ASSERT_EQ(alpha.has_value(), c.alpha.has_value()) << c.why;
    EXPECT_EQ(alpha.value_or(0), c.alpha.value_or(0)) << c.why;
}

constexpr Twips kHeight = 1335;  // the toolbar's slider
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// (height - y) / height * 255: 510 twips make steps of half a unit of alpha.
INSTANTIATE_TEST_SUITE_P(
    Points, SliderAlphaTest,
    ::testing::Values(AlphaCase{"top is opaque", kHeight, 0, 255},
                      AlphaCase{"bottom is transparent", kHeight, kHeight, 0},
                      AlphaCase{"middle gives 127.5, up to even 128", kHeight, kHeight / 2, 128},
                      AlphaCase{"just above the middle", kHeight, kHeight / 2 - 1, 128},
                      AlphaCase{"just below the middle", kHeight, kHeight / 2 + 1, 127},
                      AlphaCase{"one pixel down", kHeight, 15, 252},
                      AlphaCase{"0.5 goes down to even 0", 510, 509, 0},
                      AlphaCase{"1.5 goes up to even 2", 510, 507, 2},
                      AlphaCase{"2.5 goes down to even 2", 510, 505, 2},
                      AlphaCase{"254.5 goes down to even 254", 510, 1, 254},
                      AlphaCase{"above the slider clamps", kHeight, -300, 255},
                      AlphaCase{"far above", kHeight, -1e6f, 255},
                      AlphaCase{"below the slider clamps", kHeight, kHeight + 500, 0},
                      AlphaCase{"no height, no alpha", 0, 0, std::nullopt},
                      AlphaCase{"no height, anywhere", 0, 100, std::nullopt},
                      AlphaCase{"a position that is not a number", kHeight, kNaN, std::nullopt}));

struct StepCase {
    const char* why;
    Twips height;
    int current;
    bool down;
    std::optional<int> alpha;
};

class SliderStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(SliderStepTest, GoesToTheNextTenthOfTheSlider) {
    const StepCase& c = GetParam();
    const auto alpha = SliderStepAlpha(c.height, static_cast<std::uint8_t>(c.current), c.down);
    ASSERT_EQ(alpha.has_value(), c.alpha.has_value()) << c.why;
    EXPECT_EQ(alpha.value_or(0), c.alpha.value_or(0)) << c.why;
}

// A tenth of 1335 twips is 133.5: 229.5, 127.5 and 25.5 go to the even side.
INSTANTIATE_TEST_SUITE_P(
    Steps, SliderStepTest,
    ::testing::Values(StepCase{"first step down from opaque", kHeight, 255, true, 230},
                      StepCase{"127.5 rounds to 128", kHeight, 153, true, 128},
                      StepCase{"last step reaches transparent", kHeight, 26, true, 0},
                      StepCase{"between points goes to the next below", kHeight, 129, true, 128},
                      StepCase{"between points goes to the next above", kHeight, 129, false, 153},
                      StepCase{"up from transparent", kHeight, 0, false, 26},
                      StepCase{"nothing past the bottom", kHeight, 0, true, std::nullopt},
                      StepCase{"nothing past the top", kHeight, 255, false, std::nullopt},
                      StepCase{"no height, no step", 0, 200, true, std::nullopt}));

}  // namespace
}  // namespace brumelis
