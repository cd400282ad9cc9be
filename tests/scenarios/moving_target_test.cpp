// A window dragged across the screen: the tile stays on its corner between
// the follower's ticks. The staleness it prints is a benchmark
// (docs/benchmarks.md); the test asserts only where the tile ends and that
// it moved between ticks.
#include <iostream>
#include <thread>

#include "tests/scenarios/toolbar_scenario.h"
#include "tests/support/drag_staleness.h"

namespace brumelis::scenarios {
namespace {

using MovingTarget = ToolbarScenario;
using test_support::Corner;

TEST_F(MovingTarget, TheTileStaysOnTheCornerOfADraggedWindow) {
    const Rect start = driver_->VisibleFrame(target_);
    const test_support::DragRecord record = test_support::DragRight(
        {start.left, start.top},
        [&](Corner c) {
            driver_->Move(target_, {c.first, c.second});
        },
        [&] {
            const Rect toolbar = ToolbarRect();
            return Corner{toolbar.left, toolbar.top};
        },
        // The driver's pause lasts a few milliseconds: the rest is slept.
        [&](std::chrono::steady_clock::time_point until) {
            while (std::chrono::steady_clock::now() + Milliseconds{6} < until) driver_->Pause();
            std::this_thread::sleep_until(until);
        });
    std::cout << "[ DRAGGED  ] " << record.Summary() << "\n";

    EXPECT_TRUE(WaitUntil([&] {
        return ToolbarRect().Origin() == driver_->VisibleFrame(target_).Origin();
    })) << Situation();
    EXPECT_TRUE(record.MovedBetweenTicks(100)) << record.Summary();
}

}  // namespace
}  // namespace brumelis::scenarios
