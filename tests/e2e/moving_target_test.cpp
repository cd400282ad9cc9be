// A window dragged across the screen: the tile stays on its corner between
// the follower's ticks. The staleness it prints is a benchmark
// (docs/benchmarks.md); the test asserts only where the tile ends and that
// it moved between ticks.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

#include "tests/e2e/toolbar_fixture.h"
#include "tests/support/drag_staleness.h"
#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

using namespace test_support;
namespace {

using MovingTarget = ToolbarTest;

TEST_F(MovingTarget, TheTileStaysOnTheCornerOfADraggedWindow) {
    const Rect start = target_.ScreenRect();
    const DragRecord record = DragRight(
        {start.left, start.top},
        [&](Corner c) {
            target_.MoveTo({c.first, c.second});
        },
        [&] {
            const Rect toolbar = toolbar_.ScreenRect();
            return Corner{toolbar.left, toolbar.top};
        },
        [](std::chrono::steady_clock::time_point until) {
            for (auto now = std::chrono::steady_clock::now(); now < until;
                 now = std::chrono::steady_clock::now()) {
                PumpMessagesFor(std::max(Milliseconds{1},
                                         std::chrono::duration_cast<Milliseconds>(until - now)));
            }
        });
    std::cout << "[ DRAGGED  ] " << record.Summary() << "\n";

    const Rect end = target_.ScreenRect();
    EXPECT_TRUE(WaitUntil([&] { return toolbar_.ScreenRect().Origin() == end.Origin(); }))
        << Situation();
    EXPECT_TRUE(record.MovedBetweenTicks(100)) << record.Summary();
}

}  // namespace
}  // namespace brumelis::e2e
