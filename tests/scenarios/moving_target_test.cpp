// A dragged window: the tile stays on its corner between the follower's
// ticks. It prints the staleness for docs/benchmarks.md and asserts no time.
#include <iostream>
#include <thread>

#include "bench/drag_record.h"
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

using MovingTarget = ToolbarScenario;

// 125 steps of 3 px to the right, one every 16 ms: a two-second drag.
TEST_F(MovingTarget, TheTileStaysOnTheCornerOfADraggedWindow) {
    const Point start = driver_->VisibleFrame(target_).Origin();
    bench::DragRecord drag({start.x, start.y});
    for (int step = 1; step <= 125; ++step) {
        const auto next = drag.LastMove() + Milliseconds{16};
        while (bench::DragRecord::Clock::now() + Milliseconds{6} < next) driver_->Pause();  // ~5 ms
        std::this_thread::sleep_until(next);
        const Rect toolbar = ToolbarRect();
        drag.Sample({toolbar.left, toolbar.top});
        const auto [x, y] = drag.Moved({start.x + 3 * step, start.y});
        driver_->Move(target_, {x, y});
    }
    std::cout << "[ DRAGGED  ] " << drag.Summary() << "\n";

    EXPECT_TRUE(WaitUntil([&] {
        return ToolbarRect().Origin() == driver_->VisibleFrame(target_).Origin();
    })) << Situation();
    EXPECT_TRUE(drag.MovedBetweenTicks(Milliseconds{100})) << drag.Summary();
}

}  // namespace
}  // namespace brumelis::scenarios
