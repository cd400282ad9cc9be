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
    // The editor dragged to `left`; the system tells so, or not (Wine).
    void Drag(std::int32_t left, bool told = true) {
        desktop.MoveWindow(editor, {left, 40, left + 500, 400});
        if (told) desktop.ReportMove(editor);
    }

    WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {100, 40, 600, 400});
};

TEST_F(MoveTimerTest, RunsOnlyWhenTheWatchedTargetMovesAndOnlyMovesTheToolbar) {
    toolkit.Tick();
    ASSERT_FALSE(MoveTimerRuns());
    Drag(130);
    const long calls = desktop.CallCount();
    toolkit.Tick(kMoveTimer);
    EXPECT_EQ(desktop.CallCount() - calls, 2);  // the foreground and the target's frame
    EXPECT_EQ(window().Left(), 130 * 15);
    EXPECT_TRUE(Expanded());
}

TEST_F(MoveTimerTest, RunsFromAFollowTickThatFindsTheTargetMovedUntilItIsStill) {
    Drag(150, false);
    toolkit.Tick(kFollowTimer);
    for (std::int32_t left = 151; left < 170; ++left) {
        Drag(left, false);
        toolkit.Tick(kMoveTimer);
        ASSERT_EQ(window().Left(), left * 15);
    }
    int stillChecks = 0;
    for (; MoveTimerRuns() && stillChecks < 100; ++stillChecks) toolkit.Tick(kMoveTimer);
    EXPECT_GT(stillChecks * 15, 100) << "a pause of a follow tick is not the end of a drag";
    EXPECT_LE(stillChecks * 15, 200) << "then it stops";
}

// With the toolbar or a new target in the foreground the follow tick decides.
TEST_F(MoveTimerTest, LeavesTheToolbarAloneWhileAnotherWindowIsInTheForegroundAndWatchesIt) {
    const WindowHandle other = desktop.AddWindow(u"other", {10, 10, 100, 100});
    for (const WindowHandle foreground : {toolbar(), other}) {
        desktop.SetForeground(foreground);
        Drag(120 + foreground % 100);
        toolkit.Tick(kMoveTimer);
        EXPECT_EQ(window().Left(), 100 * 15);
    }
    toolkit.Tick(kFollowTimer);
    EXPECT_EQ(desktop.Watched(), other);
    {
        ToolbarWindow gone{desktop, toolkit, toolkit.Window()};
        toolkit.Load(gone);
        toolkit.Tick(kFollowTimer);
    }
    EXPECT_EQ(desktop.Watched(), 0) << "a toolbar that is gone watches nothing";
}

}  // namespace
}  // namespace brumelis
