// One mouse move of a slider drag.
#include "bench/toolbar_bench_fixture.h"

namespace brumelis::bench {
namespace {

void BM_SliderDragMove(benchmark::State& state) {
    LoadedToolbar toolbar(0);
    toolbar.toolkit.Click(kRedSquare);
    MouseEvent move{1, 0, 100, 0};
    PerOperation counters(toolbar.desktop);
    for (auto _ : state) {
        move.y = move.y >= 1335 ? -100 : move.y + 15;
        toolbar.toolkit.MouseMove(kSlider, move);
    }
    counters.Report(state);
}
BENCHMARK(BM_SliderDragMove);

}  // namespace
}  // namespace brumelis::bench
