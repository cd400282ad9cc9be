// The move timer: the tile stays on a moving target between follow ticks.
#include "tests/unit/toolbar_fixture.h"

namespace brumelis {
namespace {

class MoveTimerTest : public ToolbarTest {
protected:
    void SetUp() override {
        LoadAndFollow(editor);
        Unfold();
    }
    bool MoveTimerRuns() { return window().TimerRunning(kMoveTimer); }
    // The editor's left edge moved, as a drag does, and the system told so.
    void Drag(std::int32_t left) {
        desktop.MoveWindow(editor, {left, 40, left + 500, 400});
        desktop.ReportMove(editor);
    }

    WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
};

TEST_F(MoveTimerTest, IdleTicksLeaveItStoppedAndTheTargetWatched) {
    for (int i = 0; i < 5; ++i) toolkit.Tick();
    EXPECT_FALSE(MoveTimerRuns());
    EXPECT_EQ(desktop.Watched(), editor);
    const WindowHandle other = desktop.AddWindow(u"other", {10, 10, 100, 100});
    desktop.SetForeground(other);
    toolkit.Tick();
    EXPECT_EQ(desktop.Watched(), other);
}

TEST_F(MoveTimerTest, FollowsTheCornerKeepingTheSizeAndAsksNothingElse) {
    Drag(130);
    ASSERT_TRUE(MoveTimerRuns());
    window().SetButtonCaption(kPinButton, u"x");
    const long calls = desktop.CallCount();
    toolkit.Tick(kMoveTimer);
    EXPECT_EQ(desktop.CallCount() - calls, 2);  // the foreground and the target's frame
    EXPECT_EQ(window().Left(), 130 * 15);
    EXPECT_TRUE(Expanded());
    EXPECT_EQ(caption(), u"x");
}

TEST_F(MoveTimerTest, AFollowTickThatFindsTheTargetMovedStartsIt) {
    desktop.MoveWindow(editor, {150, 60, 650, 420});  // no word from the system
    toolkit.Tick(kMoveTimer);
    EXPECT_EQ(window().Left(), 100 * 15) << "stopped until the tick";
    toolkit.Tick(kFollowTimer);
    EXPECT_TRUE(MoveTimerRuns());
    desktop.MoveWindow(editor, {160, 60, 660, 420});
    toolkit.Tick(kMoveTimer);
    EXPECT_EQ(window().Left(), 160 * 15);
}

TEST_F(MoveTimerTest, StopsOnceTheTargetIsStillAndNotBefore) {
    for (std::int32_t left = 101; left < 130; ++left) {
        Drag(left);
        toolkit.Tick(kMoveTimer);
        ASSERT_TRUE(MoveTimerRuns()) << "at " << left;
    }
    int stillChecks = 0;
    while (MoveTimerRuns() && stillChecks < 100) {
        toolkit.Tick(kMoveTimer);
        ++stillChecks;
    }
    EXPECT_FALSE(MoveTimerRuns());
    EXPECT_GT(stillChecks, 1) << "a pause of one check is not the end of a drag";
    EXPECT_LE(stillChecks * 15, 200) << "about two follow ticks at most";
}

// In the toolbar or in a new target the user no longer works in the window
// that moves: the follow tick decides.
TEST_F(MoveTimerTest, StaysWhileAnotherWindowIsInTheForeground) {
    const WindowHandle other = desktop.AddWindow(u"other", {10, 10, 100, 100});
    for (const WindowHandle foreground : {toolbar(), other}) {
        desktop.SetForeground(foreground);
        Drag(120 + foreground % 100);
        toolkit.Tick(kMoveTimer);
        EXPECT_EQ(window().Left(), 100 * 15);
        EXPECT_TRUE(Expanded());
    }
    toolkit.Tick(kFollowTimer);
    EXPECT_EQ(window().Left(), 10 * 15);
    EXPECT_TRUE(Collapsed());
}

TEST_F(MoveTimerTest, AToolbarThatIsGoneWatchesNothing) {
    {
        ToolbarWindow second{desktop, toolkit, toolkit.Window()};
        toolkit.Load(second);
        toolkit.Tick(kFollowTimer);
        ASSERT_EQ(desktop.Watched(), editor);
    }
    EXPECT_EQ(desktop.Watched(), 0);
}

}  // namespace
}  // namespace brumelis
