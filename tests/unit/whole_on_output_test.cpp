// The toolbar kept whole on the output that holds its corner.
#include "platform/whole_on_output.h"

#include <gtest/gtest.h>

namespace brumelis {
namespace {

// The left output of two side by side, 1280 x 800, the other right of it.
constexpr PixelRect kOutput{0, 0, 1280, 800};

struct OutputCase {
    const char* why;
    PixelRect wanted, expected;
};

void PrintTo(const OutputCase& c, std::ostream* out) {
    *out << c.why;
}

class WholeOnOutputTest : public ::testing::TestWithParam<OutputCase> {};

TEST_P(WholeOnOutputTest, MovesInwardOnlyWhatWouldBeCut) {
    const OutputCase& c = GetParam();
    const PixelRect placed = WholeOnOutput(c.wanted, kOutput);
    EXPECT_EQ(c.expected.left, placed.left);
    EXPECT_EQ(c.expected.top, placed.top);
    EXPECT_EQ(c.expected.width, placed.width);
    EXPECT_EQ(c.expected.height, placed.height);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WholeOnOutputTest,
    ::testing::Values(
        OutputCase{"inside: unmoved", {200, 150, 33, 113}, {200, 150, 33, 113}},
        OutputCase{"ending on the edge: unmoved", {1270, 790, 10, 10}, {1270, 790, 10, 10}},
        OutputCase{"tile 5 px left of the edge", {1275, 150, 10, 10}, {1270, 150, 10, 10}},
        OutputCase{"panel 5 px left of the edge", {1275, 150, 33, 113}, {1247, 150, 33, 113}},
        OutputCase{"panel near the bottom", {200, 750, 33, 113}, {200, 687, 33, 113}},
        OutputCase{"both edges", {1279, 799, 33, 113}, {1247, 687, 33, 113}},
        OutputCase{"a corner left of and above the output is left there",
                   {-20, -5, 33, 113},
                   {-20, -5, 33, 113}},
        OutputCase{
            "wider than the output: its left edge kept", {10, 0, 2000, 10}, {0, 0, 2000, 10}}));

}  // namespace
}  // namespace brumelis
