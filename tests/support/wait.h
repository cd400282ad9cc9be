// Waiting for real state with a deadline, never for a fixed time. Between two
// looks a pump lets time pass and keeps the waiting thread's own windows
// alive (its Win32 messages, GTK's main loop).
#pragma once

#include <chrono>
#include <functional>

namespace brumelis::test_support {

using Milliseconds = std::chrono::milliseconds;
using Pump = std::function<void()>;

// Looks until the condition holds; false when the deadline passed first.
template <class Condition>
bool WaitUntil(Condition condition, Milliseconds timeout, const Pump& pump) {
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
bool HoldsFor(Condition condition, Milliseconds interval, const Pump& pump) {
    const auto end = std::chrono::steady_clock::now() + interval;
    do {
        if (!condition()) return false;
        pump();
    } while (std::chrono::steady_clock::now() < end);
    return condition();
}

}  // namespace brumelis::test_support
