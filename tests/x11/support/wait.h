// Waiting for real state with a deadline, never for a fixed time. The
// in-process toolkit tests keep GTK's main loop running while they wait:
// they pass a pump that runs pending GLib events.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace brumelis::x11_tests {

using Milliseconds = std::chrono::milliseconds;

// Long enough for X input, a window manager and a handful of 100 ms ticks
// on a loaded machine.
inline constexpr Milliseconds kStateTimeout{5000};

// Runs between two looks at the state; by default it lets time pass.
using Pump = std::function<void()>;
inline void IdlePump() {
    std::this_thread::sleep_for(Milliseconds{5});
}

// Looks until the condition holds; false when the deadline passed first.
template <class Condition>
bool WaitUntil(Condition condition, Milliseconds timeout = kStateTimeout,
               const Pump& pump = IdlePump) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        pump();
    }
}

// True when the condition held at every look for the whole interval: for
// "nothing happens" checks, which have no event to wait for.
template <class Condition>
bool HoldsFor(Condition condition, Milliseconds interval, const Pump& pump = IdlePump) {
    const auto end = std::chrono::steady_clock::now() + interval;
    do {
        if (!condition()) return false;
        pump();
    } while (std::chrono::steady_clock::now() < end);
    return condition();
}

}  // namespace brumelis::x11_tests
