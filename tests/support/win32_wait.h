// Waiting for real state with a deadline, never for a fixed time, in the
// Win32 test programs. The waiting thread may own windows, so every wait keeps
// its message queue moving.
#pragma once

#include <chrono>

#include <windows.h>

namespace brumelis::test_support {

using Milliseconds = std::chrono::milliseconds;

// Long enough for Wine's input and window delivery, and a handful of 100 ms
// ticks, on a loaded machine.
inline constexpr Milliseconds kStateTimeout{5000};
// A Wine process start takes far longer than a state change.
inline constexpr Milliseconds kStartTimeout{20000};

// Dispatches the calling thread's pending messages, then waits for new ones
// or for the interval, whichever comes first.
inline void PumpMessagesFor(Milliseconds interval) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(interval.count()),
                                QS_ALLINPUT);
}

// Polls until the condition holds; false when the deadline passed first.
template <class Condition>
bool WaitUntil(Condition condition, Milliseconds timeout = kStateTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        PumpMessagesFor(Milliseconds{5});
    }
}

// True when the condition held at every look for the whole interval: for
// "nothing happens" checks, which have no event to wait for.
template <class Condition>
bool HoldsFor(Condition condition, Milliseconds interval) {
    const auto end = std::chrono::steady_clock::now() + interval;
    do {
        if (!condition()) return false;
        PumpMessagesFor(Milliseconds{10});
    } while (std::chrono::steady_clock::now() < end);
    return condition();
}

// Polls a reading until it equals the expected value and returns the last
// reading, so that an assertion on the result prints what was seen.
template <class Read, class Value>
auto WaitForValue(Read read, const Value& expected, Milliseconds timeout = kStateTimeout) {
    auto value = read();
    WaitUntil(
        [&] {
            value = read();
            return value == expected;
        },
        timeout);
    return value;
}

}  // namespace brumelis::test_support
