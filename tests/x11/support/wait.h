// Waiting for real state in the X11 test programs. The in-process toolkit
// tests keep GTK's main loop running while they wait: they pass a pump that
// runs pending GLib events.
#pragma once

#include <thread>

#include "tests/support/wait.h"

namespace brumelis::x11_tests {

using test_support::Milliseconds;
using test_support::Pump;

// Long enough for X input, a window manager and a handful of 100 ms ticks
// on a loaded machine.
inline constexpr Milliseconds kStateTimeout{5000};

// By default a wait only lets time pass.
inline void IdlePump() {
    std::this_thread::sleep_for(Milliseconds{5});
}

template <class Condition>
bool WaitUntil(Condition condition, Milliseconds timeout = kStateTimeout,
               const Pump& pump = IdlePump) {
    return test_support::WaitUntil(condition, timeout, pump);
}

template <class Condition>
bool HoldsFor(Condition condition, Milliseconds interval, const Pump& pump = IdlePump) {
    return test_support::HoldsFor(condition, interval, pump);
}

}  // namespace brumelis::x11_tests
