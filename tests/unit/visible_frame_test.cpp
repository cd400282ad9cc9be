// The visible frame inside a window rectangle, from the compositor's answer
// in physical pixels.
#include "platform/visible_frame.h"

#include <gtest/gtest.h>

namespace brumelis {
namespace {

struct FrameCase {
    const char* why;
    ScreenRect window;          // as a DPI-unaware program reads it
    ScreenRect windowPhysical;  // the same rectangle in physical pixels
    ScreenRect framePhysical;   // the compositor's visible frame
    ScreenRect expected;
};

void PrintTo(const FrameCase& c, std::ostream* out) {
    *out << c.why;
}

class VisibleFrameTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(VisibleFrameTest, AnchorsTheBordersOnTheWindowRectangle) {
    const FrameCase& c = GetParam();
    const ScreenRect frame = VisibleFrame(c.window, c.windowPhysical, c.framePhysical);
    EXPECT_EQ(frame.left, c.expected.left) << c.why;
    EXPECT_EQ(frame.top, c.expected.top) << c.why;
    EXPECT_EQ(frame.right, c.expected.right) << c.why;
    EXPECT_EQ(frame.bottom, c.expected.bottom) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VisibleFrameTest,
    ::testing::Values(FrameCase{"100 %: 7 px invisible borders left, right and bottom",
                                {100, 50, 600, 450},
                                {100, 50, 600, 450},
                                {107, 50, 593, 443},
                                {107, 50, 593, 443}},
                      FrameCase{"maximised: the rectangle overhangs the screen by 8 px",
                                {-8, -8, 1928, 1048},
                                {-8, -8, 1928, 1048},
                                {0, 0, 1920, 1040},
                                {0, 0, 1920, 1040}},
                      FrameCase{"on a monitor left of the primary one",
                                {-1207, 100, -607, 500},
                                {-1207, 100, -607, 500},
                                {-1200, 100, -614, 493},
                                {-1200, 100, -614, 493}},
                      FrameCase{"150 %: borders of 10 physical pixels are 7 of ours",
                                {100, 100, 500, 400},
                                {150, 150, 750, 600},
                                {160, 150, 740, 590},
                                {107, 100, 493, 393}},
                      FrameCase{"150 % on a monitor at negative coordinates",
                                {-700, -300, -300, 0},
                                {-1050, -450, -450, 0},
                                {-1040, -450, -460, -10},
                                {-693, -300, -307, -7}},
                      FrameCase{"no invisible borders (Windows 7, or no composition)",
                                {10, 20, 310, 220},
                                {10, 20, 310, 220},
                                {10, 20, 310, 220},
                                {10, 20, 310, 220}},
                      FrameCase{"a frame reaching outside the rectangle is not believed",
                                {100, 50, 600, 450},
                                {100, 50, 600, 450},
                                {90, 50, 593, 443},
                                {100, 50, 600, 450}},
                      FrameCase{"a rectangle without area is kept as it is",
                                {100, 50, 100, 50},
                                {100, 50, 100, 50},
                                {100, 50, 100, 50},
                                {100, 50, 100, 50}},
                      FrameCase{"coordinates near the 32-bit limits do not overflow",
                                {-2147483000, 0, 2147483000, 1000},
                                {-2147483000, 0, 2147483000, 1000},
                                {-2147482993, 0, 2147482993, 993},
                                {-2147482993, 0, 2147482993, 993}}));

}  // namespace
}  // namespace brumelis
