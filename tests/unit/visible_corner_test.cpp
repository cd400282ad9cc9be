// The tile sits on the visible corner of the target, not on the invisible
// resize borders that recent systems put inside the window rectangle.
#include "tests/unit/toolbar_fixture.h"

namespace brumelis {
namespace {

struct CornerCase {
    const char* why;
    ScreenRect rect;
    ScreenRect invisibleBorders;
    Twips left;  // where the tile goes, in twips
    Twips top;
};

void PrintTo(const CornerCase& c, std::ostream* out) {
    *out << c.why;
}

class VisibleCornerTest : public ToolbarTest, public ::testing::WithParamInterface<CornerCase> {};

TEST_P(VisibleCornerTest, TheTileGoesToTheVisibleCorner) {
    const CornerCase& c = GetParam();
    const WindowHandle target = desktop.AddWindow(u"Cible", c.rect);
    desktop.SetInvisibleBorders(target, c.invisibleBorders);
    LoadAndFollow(target);
    EXPECT_EQ(window().Left(), c.left) << c.why;
    EXPECT_EQ(window().Top(), c.top) << c.why;
    EXPECT_TRUE(Collapsed()) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, VisibleCornerTest,
    ::testing::Values(
        CornerCase{"7 px borders left, right and bottom",
                   {100, 50, 600, 450},
                   {7, 0, 7, 7},
                   107 * 15,
                   50 * 15},
        CornerCase{"maximised: the rectangle starts at (-8, -8)",
                   {-8, -8, 1928, 1048},
                   {8, 8, 8, 8},
                   0,
                   0},
        CornerCase{"on a monitor at negative coordinates",
                   {-1207, -300, -607, 100},
                   {7, 0, 7, 7},
                   -1200 * 15,
                   -300 * 15},
        CornerCase{"no invisible borders", {100, 50, 600, 450}, {0, 0, 0, 0}, 100 * 15, 50 * 15}));

TEST_F(ToolbarTest, AWindowThatCannotBeReadLeavesTheTileAtTheScreensCorner) {
    LoadAndFollow(0);
    EXPECT_EQ(window().Left(), 0);
    EXPECT_EQ(window().Top(), 0);
}

// The conversion to twips still fails past 32-bit range, visible frame or not.
TEST_F(ToolbarTest, AVisibleCornerBeyondTheTwipRangeIsAnOverflow) {
    const WindowHandle target = desktop.AddWindow(u"Cible", {143165570, 0, 143165600, 10});
    desktop.SetInvisibleBorders(target, {7, 0, 7, 0});
    toolkit.Load(form);
    desktop.SetForeground(target);
    toolkit.Tick();
    EXPECT_TRUE(toolkit.Ended());
}

}  // namespace
}  // namespace brumelis
