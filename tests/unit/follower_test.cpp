// The follow timer's tick following the foreground window.
#include "tests/unit/toolbar_fixture.h"
#include "toolbar/toolbar_texts.h"

namespace brumelis {
namespace {

using FollowerTest = ToolbarTest;

TEST_F(FollowerTest, GluesTheCollapsedTileToTheTargetsCornerAndGoesTopmost) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
    LoadAndFollow(editor);
    EXPECT_EQ(form.TargetWindow(), editor);
    EXPECT_EQ(window().Left(), 1500);
    EXPECT_EQ(window().Top(), 600);
    EXPECT_TRUE(Collapsed());
    EXPECT_TRUE(desktop.IsTopmost(toolbar()));
    EXPECT_EQ(caption(), u"+");
}

TEST_F(FollowerTest, TheToolbarInTheForegroundChangesNothing) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
    LoadAndFollow(editor);
    Unfold();
    window().SetButtonCaption(kPinButton, u"x");
    desktop.MoveWindow(editor, {300, 300, 600, 600});
    desktop.SetForeground(toolbar());
    const long callsBefore = desktop.CallCount();

    toolkit.Tick();

    EXPECT_EQ(desktop.CallCount() - callsBefore, 1);  // the foreground window only
    EXPECT_EQ(form.TargetWindow(), editor);
    EXPECT_EQ(window().Left(), 1500);
    EXPECT_TRUE(Expanded());
    EXPECT_EQ(caption(), u"x");
}

TEST_F(FollowerTest, NoForegroundWindowGoesToTheCornerAndFolds) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
    LoadAndFollow(editor);
    Unfold();
    desktop.SetForeground(0);
    toolkit.Tick();
    EXPECT_EQ(form.TargetWindow(), 0);
    EXPECT_EQ(window().Left(), 0);
    EXPECT_EQ(window().Top(), 0);
    EXPECT_TRUE(Collapsed());
}

TEST_F(FollowerTest, NoForegroundFromTheStartKeepsTheSizeBecauseTheLastTargetWasZero) {
    toolkit.Load(form);
    Unfold();
    desktop.SetForeground(0);
    toolkit.Tick();
    EXPECT_TRUE(Expanded());
}

TEST_F(FollowerTest, OffScreenRectanglesAreFollowed) {
    // Minimised windows report a rectangle far off screen.
    const WindowHandle minimised = desktop.AddWindow(u"min", {-32000, -32000, -31840, -31973});
    LoadAndFollow(minimised);
    EXPECT_EQ(window().Left(), -480000);
    EXPECT_EQ(window().Top(), -480000);
}

TEST_F(FollowerTest, AMovedTargetIsFollowedAndKeepsTheExpandedState) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
    LoadAndFollow(editor);
    Unfold();
    desktop.MoveWindow(editor, {250, 90, 700, 500});
    toolkit.Tick();
    EXPECT_EQ(window().Left(), 3750);
    EXPECT_EQ(window().Top(), 1350);
    EXPECT_TRUE(Expanded());
}

TEST_F(FollowerTest, AlternatingWindowsFoldAtEverySwitch) {
    const WindowHandle a = desktop.AddWindow(u"a", {10, 10, 100, 100});
    const WindowHandle b = desktop.AddWindow(u"b", {20, 20, 100, 100});
    LoadAndFollow(a);
    for (WindowHandle next : {b, a, b, a}) {
        Unfold();
        desktop.SetForeground(next);
        toolkit.Tick();
        EXPECT_TRUE(Collapsed());
        EXPECT_EQ(form.LastTargetWindow(), next);
    }
}

TEST_F(FollowerTest, WorkingInTheToolbarDoesNotMakeTheSameTargetNew) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
    LoadAndFollow(editor);
    Unfold();
    desktop.SetForeground(toolbar());
    toolkit.Tick();
    desktop.SetForeground(editor);
    toolkit.Tick();
    EXPECT_TRUE(Expanded());
}

TEST_F(FollowerTest, AnIdleTickMakesNoNativeMove) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
    LoadAndFollow(editor);
    const int moves = window().NativeMoves();
    for (int i = 0; i < 5; ++i) toolkit.Tick();
    EXPECT_EQ(window().NativeMoves(), moves);
}

TEST_F(FollowerTest, TheToolbarReentersTheTopmostBandAboveOthers) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
    LoadAndFollow(editor);
    const WindowHandle other = desktop.AddWindow(u"other");
    desktop.KeepAbove(other, true);
    EXPECT_TRUE(desktop.IsAbove(other, toolbar()));
    toolkit.Tick();
    EXPECT_TRUE(desktop.IsAbove(toolbar(), other));
}

struct CaptionCase {
    WindowHandle target;
    const char16_t* caption;
};

class PinnedCaptionTest : public ToolbarTest, public ::testing::WithParamInterface<CaptionCase> {
protected:
    // Pins through the button, so the list is built the way users build it.
    void Pin(WindowHandle target) {
        desktop.SetForeground(target);
        toolkit.Tick();
        ASSERT_EQ(caption(), u"+");
        toolkit.Click(kPinButton);
    }
};

// The list ;12;;345; marks 345 pinned; 1, 2, 34 and 45 are parts of items only.
TEST_P(PinnedCaptionTest, ShowsMinusOnlyForAWholeItem) {
    toolkit.Load(form);
    Pin(12);
    Pin(345);
    ASSERT_EQ(form.PinnedList(), u";12;;345;");
    desktop.SetForeground(GetParam().target);
    toolkit.Tick();
    EXPECT_EQ(caption(), GetParam().caption) << "target " << GetParam().target;
}

INSTANTIATE_TEST_SUITE_P(Handles, PinnedCaptionTest,
                         ::testing::Values(CaptionCase{345, u"-"}, CaptionCase{12, u"-"},
                                           CaptionCase{1, u"+"}, CaptionCase{2, u"+"},
                                           CaptionCase{34, u"+"}, CaptionCase{45, u"+"},
                                           CaptionCase{-12, u"+"}, CaptionCase{0, u"+"}));

}  // namespace
}  // namespace brumelis
