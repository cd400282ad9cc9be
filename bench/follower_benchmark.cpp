// One effective tick of the follower against pinned lists of growing length.
#include "bench/toolbar_bench_fixture.h"

namespace brumelis::bench {
namespace {

void BM_EffectiveTick(benchmark::State& state) {
    LoadedToolbar toolbar(static_cast<int>(state.range(0)));
    PerOperation counters(toolbar.desktop);
    for (auto _ : state) toolbar.toolkit.Tick();
    counters.Report(state);
    state.counters["list_chars"] = static_cast<double>(toolbar.form.PinnedList().size());
}
BENCHMARK(BM_EffectiveTick)->Arg(0)->Arg(100)->Arg(10000);

// A long handle's item no longer fits the string's own buffer.
void BM_EffectiveTickLongHandle(benchmark::State& state) {
    LoadedToolbar toolbar(static_cast<int>(state.range(0)));
    toolbar.desktop.SetForeground(123456789);
    toolbar.toolkit.Tick();
    PerOperation counters(toolbar.desktop);
    for (auto _ : state) toolbar.toolkit.Tick();
    counters.Report(state);
}
BENCHMARK(BM_EffectiveTickLongHandle)->Arg(0)->Arg(100)->Arg(10000);

}  // namespace
}  // namespace brumelis::bench
