// A loaded toolbar over the simulated desktop, with per-operation counters.
#pragma once

#include <benchmark/benchmark.h>

#include "bench/allocation_counter.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_toolkit.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_window.h"

namespace brumelis::bench {

struct LoadedToolbar {
    FakeDesktop desktop;
    FakeToolkit toolkit{desktop, ToolbarLayout()};
    ToolbarWindow form{desktop, toolkit, toolkit.Window()};
    // Window handles above 9 999 999 make items longer than a string's own
    // buffer, the case that allocates.
    WindowHandle target = 0;

    explicit LoadedToolbar(int pinnedItems) {
        toolkit.Load(form);
        for (int i = 0; i < pinnedItems; ++i) {
            desktop.SetForeground(20000000 + i);
            toolkit.Tick();
            toolkit.Click(kPinButton);
        }
        target = desktop.AddWindow(u"target", {10, 20, 300, 400});
        desktop.SetForeground(target);
        toolkit.Tick();
    }
};

// Reports calls and allocations per iteration, measured over the timed loop.
class PerOperation {
public:
    explicit PerOperation(FakeDesktop& desktop) : desktop_(desktop) {
        desktop.ResetCallCount();
        allocations_ = AllocationCount();
    }
    void Report(benchmark::State& state) {
        const double n = static_cast<double>(state.iterations());
        state.counters["calls_per_op"] = static_cast<double>(desktop_.CallCount()) / n;
        state.counters["allocs_per_op"] = static_cast<double>(AllocationCount() - allocations_) / n;
    }

private:
    FakeDesktop& desktop_;
    std::size_t allocations_;
};

}  // namespace brumelis::bench
