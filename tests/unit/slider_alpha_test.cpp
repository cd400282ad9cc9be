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

}  // namespace
}  // namespace brumelis
