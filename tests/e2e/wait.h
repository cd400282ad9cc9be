// Waiting for real state with a deadline. The driver owns windows too, so
// every wait keeps its message queue moving.
#pragma once

#include <windows.h>

#include <chrono>

namespace e2e {

using Milliseconds = std::chrono::milliseconds;

// Long enough for a Wine process start and a handful of 100 ms ticks.
inline constexpr Milliseconds kStateTimeout{5000};
inline constexpr Milliseconds kStartTimeout{20000};

// Dispatches the driver's pending window messages, then waits for new ones
// or for the interval, whichever comes first.
inline void PumpMessagesFor(Milliseconds interval) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(interval.count()),
                              QS_ALLINPUT);
}

// Polls until the condition holds; false when the deadline passed first.
template <class Condition>
bool WaitUntil(Condition condition, Milliseconds timeout = kStateTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        PumpMessagesFor(Milliseconds{10});
    }
}

// Polls a reading until it equals the expected value and returns the last
// reading, so that an assertion on the result prints what was seen.
template <class Read, class Value>
auto WaitForValue(Read read, const Value& expected, Milliseconds timeout = kStateTimeout) {
    auto value = read();
    WaitUntil([&] {
        value = read();
        return value == expected;
    }, timeout);
    return value;
}

// Keeps checking that a condition holds for the whole interval; false as soon
// as it does not. For "nothing changes" assertions, which have no event to
// wait for.
template <class Condition>
bool HoldsFor(Condition condition, Milliseconds interval) {
    const auto end = std::chrono::steady_clock::now() + interval;
    do {
        if (!condition()) return false;
        PumpMessagesFor(Milliseconds{10});
    } while (std::chrono::steady_clock::now() < end);
    return condition();
}

}  // namespace e2e
