// The fold/unfold toggle on the red square and on the slider.
#include "tests/unit/toolbar_fixture.h"

namespace brumelis {
namespace {

using FoldToggleTest = ToolbarTest;

TEST_F(FoldToggleTest, ClickUnfoldsThenFoldsAndAsksToActivateTheTarget) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {5, 5, 300, 300});
    LoadAndFollow(editor);
    toolkit.Click(kRedSquare);
    EXPECT_TRUE(Expanded());
    toolkit.Click(kRedSquare);
    EXPECT_TRUE(Collapsed());
    EXPECT_EQ(desktop.ActivationRequests(), (std::vector<WindowHandle>{editor, editor}));
    // The real window follows the twips at 15 per pixel.
    const ScreenRect& r = desktop.Get(toolbar()).rect;
    EXPECT_EQ(r.right - r.left, 10);
    EXPECT_EQ(r.bottom - r.top, 10);
}

TEST_F(FoldToggleTest, BeforeTheFirstTickItAsksToActivateWindowZero) {
    toolkit.Load(form);
    toolkit.Click(kRedSquare);
    EXPECT_EQ(desktop.ActivationRequests(), (std::vector<WindowHandle>{0}));
}

struct WidthCase {
    const char* why;
    Twips width, height;
    bool unfolds;
};

class ToggleWidthTest : public ToolbarTest, public ::testing::WithParamInterface<WidthCase> {};

// Only a width of exactly 495 twips counts as expanded, whatever the height.
TEST_P(ToggleWidthTest, FoldsExactlyAt495) {
    const WidthCase& c = GetParam();
    toolkit.Load(form);
    window().Move(0, 0, c.width, c.height);
    toolkit.Click(kRedSquare);
    if (c.unfolds)
        EXPECT_TRUE(Expanded()) << c.why;
    else
        EXPECT_TRUE(Collapsed()) << c.why;
}

INSTANTIATE_TEST_SUITE_P(Widths, ToggleWidthTest,
                         ::testing::Values(WidthCase{"expanded", 495, 1695, false},
                                           WidthCase{"495 wide but short", 495, 150, false},
                                           WidthCase{"495 wide and tall", 495, 9000, false},
                                           WidthCase{"a pixel narrower", 480, 1695, true},
                                           WidthCase{"a pixel wider", 510, 1695, true},
                                           WidthCase{"collapsed", 150, 150, true},
                                           WidthCase{"tall but narrow", 150, 1695, true},
                                           WidthCase{"zero", 0, 0, true}));

TEST_F(FoldToggleTest, TheSliderClickIsTheSameToggle) {
    toolkit.Load(form);
    Unfold();
    toolkit.Click(kSlider);
    EXPECT_TRUE(Collapsed());
}

TEST_F(FoldToggleTest, AFailedStepIsSkippedAndTheOthersRun) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes");
    LoadAndFollow(editor);
    toolkit.FailAlways(FakeOperation::SetWidth);
    toolkit.Click(kRedSquare);
    // The width stayed, the height step still ran, activation still asked.
    EXPECT_EQ(window().Width(), kCollapsed);
    EXPECT_EQ(window().Height(), kExpandedHeight);
    EXPECT_EQ(desktop.ActivationRequests().back(), editor);
    EXPECT_FALSE(toolkit.Ended());
    EXPECT_TRUE(toolkit.Messages().empty());
}

TEST_F(FoldToggleTest, AFailedWidthReadFolds) {
    toolkit.Load(form);
    Unfold();
    toolkit.FailAlways(FakeOperation::Width);
    toolkit.Click(kRedSquare);
    toolkit.StopFailing();
    EXPECT_TRUE(Collapsed());
}

}  // namespace
}  // namespace brumelis
