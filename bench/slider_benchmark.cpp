// One mouse move of a slider drag.
#include "bench/toolbar_bench_fixture.h"

namespace brumelis::bench {
namespace {

void BM_SliderDragMove(benchmark::State& state) {
    LoadedToolbar toolbar(0);
    toolbar.toolkit.Click(kRedSquare);
    toolbar.toolkit.Press(kSlider, 1);
    int y = 0;
    PerOperation counters(toolbar.desktop);
    for (auto _ : state) {
        y = y >= 89 ? -7 : y + 1;
        toolbar.toolkit.Move(kSlider, 6, y);
    }
    counters.Report(state);
}
BENCHMARK(BM_SliderDragMove);

}  // namespace
}  // namespace brumelis::bench
