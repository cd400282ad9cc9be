// The GTK form window in twips: the controls where the layout puts them
// (the button shrunk to its 33 x 17 pixels), sizes that read back at once
// and show on the server, moves that make no request when nothing changes,
// the toolbar raising itself, and the two windows that bear the caption.
#include "tests/x11/toolkit/gtk_toolbar_fixture.h"
#include "toolbar/toolbar_layout.h"
// Last: Xlib's macros would rename GoogleTest's names.
#include <X11/Xlib.h>

namespace brumelis::x11_tests {
namespace {

using GtkFormGeometry = GtkToolbarTest;

TEST_F(GtkFormGeometry, EveryControlHasItsLayoutPlaceAndSizeInTwips) {
    for (const ControlLayout& layout : ToolbarLayout().controls) {
        const ControlGeometry geometry = Form().Geometry(layout.id);
        const int index = static_cast<int>(layout.id);
        EXPECT_EQ(layout.left, geometry.left) << "control " << index;
        EXPECT_EQ(layout.top, geometry.top) << "control " << index;
        EXPECT_EQ(layout.width, geometry.width) << "control " << index;
        EXPECT_EQ(layout.height, geometry.height) << "control " << index;
    }
}

TEST_F(GtkFormGeometry, TheButtonIsAllocatedItsThirtyThreeBySeventeenPixels) {
    GtkWidget* button = Toolkit().Window().WidgetOf(kPinButton);
    ASSERT_TRUE(WaitUntil([&] { return gtk_widget_get_allocated_height(button) > 1; },
                          kStateTimeout, PumpGtk));
    EXPECT_EQ(33, gtk_widget_get_allocated_width(button));
    EXPECT_EQ(17, gtk_widget_get_allocated_height(button));
}

struct Resize {
    const char* name;
    Twips width, height;  // asked
    int pixelWidth, pixelHeight;
};

void PrintTo(const Resize& row, std::ostream* out) {
    *out << row.name;
}

class GtkFormResize : public GtkToolbarTest, public testing::WithParamInterface<Resize> {};

TEST_P(GtkFormResize, SizesReadBackAtOnceAndReachTheServer) {
    const Resize& row = GetParam();
    Form().SetWidth(row.width);
    EXPECT_EQ(static_cast<Twips>(row.pixelWidth * kTwipsPerPixel), Form().Width());
    Form().SetHeight(row.height);
    EXPECT_EQ(static_cast<Twips>(row.pixelHeight * kTwipsPerPixel), Form().Height());
    // GTK's own layout pass must not put back another size.
    EXPECT_TRUE(HoldsFor(
        [&] {
            const auto area = x_.AreaOf(ToolbarId());
            return area && area->width == row.pixelWidth && area->height == row.pixelHeight &&
                   area->left == kToolbarTopLeft.x && area->top == kToolbarTopLeft.y;
        },
        Milliseconds{300}, PumpGtk));
}

INSTANTIATE_TEST_SUITE_P(Sizes, GtkFormResize,
                         testing::Values(Resize{"Folded", 150, 150, 10, 10},
                                         Resize{"Unfolded", 495, 1695, 33, 113},
                                         // Twips between two pixels go to the nearer one.
                                         Resize{"BetweenPixels", 157, 142, 10, 9},
                                         Resize{"WiderThanThePanel", 900, 300, 60, 20}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(GtkFormGeometry, MoveGoesToTheTwipPlaceInOneRequest) {
    x_.WatchStructure(ToolbarId());
    Form().Move(150 * kTwipsPerPixel, 120 * kTwipsPerPixel, 150, 150);
    EXPECT_EQ(150 * kTwipsPerPixel, Form().Geometry(kToolbar).left);
    EXPECT_EQ(120 * kTwipsPerPixel, Form().Geometry(kToolbar).top);
    ASSERT_TRUE(WaitUntil(
        [&] {
            const auto area = x_.AreaOf(ToolbarId());
            return area && area->left == 150 && area->top == 120 && area->width == 10 &&
                   area->height == 10;
        },
        kStateTimeout, PumpGtk));
    EXPECT_EQ(1, x_.StructureChanges()) << "the window was seen at the new place with the old size";
}

TEST_F(GtkFormGeometry, MoveToTheCurrentPlaceAndSizeMakesNoRequest) {
    x_.WatchStructure(ToolbarId());
    const ControlGeometry now = Form().Geometry(kToolbar);
    Form().Move(now.left, now.top);
    Form().Move(now.left, now.top, Form().Width(), Form().Height());
    Form().SetWidth(Form().Width());
    Form().SetHeight(Form().Height());
    PumpGtk();
    EXPECT_EQ(0, x_.StructureChanges());
    // The watch sees real moves: ten pixels to the right.
    Form().Move(now.left + 10 * kTwipsPerPixel, now.top);
    EXPECT_TRUE(WaitUntil([&] { return x_.StructureChanges() >= 1; }, kStateTimeout, PumpGtk));
}

// No window manager stacks an override-redirect window: put under every
// other window, the toolbar is back on top of them all once it asks.
TEST_F(GtkFormGeometry, StayAboveRaisesTheToolbarOverEveryWindow) {
    const XWindowId toolbar = ToolbarId();
    XLowerWindow(x_.Display(), toolbar);
    ASSERT_TRUE(
        WaitUntil([&] { return x_.RootChildren().front() == toolbar; }, kStateTimeout, PumpGtk));
    ASSERT_GT(x_.RootChildren().size(), 1U);
    Form().StayAbove();
    EXPECT_TRUE(
        WaitUntil([&] { return x_.RootChildren().back() == toolbar; }, kStateTimeout, PumpGtk));
}

TEST_F(GtkFormGeometry, ToolbarAndHiddenOwnerBearTheCaption) {
    const XWindowId toolbar = ToolbarId();
    EXPECT_EQ(u"BrumelisZOLVEC", Form().Caption());
    EXPECT_EQ("BrumelisZOLVEC", x_.Title(toolbar).value_or("(none)"));
    EXPECT_TRUE(x_.IsOverrideRedirect(toolbar)) << "the window manager must leave it alone";
    int titled = 0;
    for (XWindowId window : x_.RootChildren()) {
        if (x_.ProcessOf(window) == static_cast<std::uint32_t>(getpid()) &&
            x_.Title(window) == std::string("BrumelisZOLVEC"))
            ++titled;
    }
    EXPECT_EQ(2, titled) << "the toolbar and its hidden owner, both children of the root";
}

}  // namespace
}  // namespace brumelis::x11_tests
