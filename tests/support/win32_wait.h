// Waiting for real state with a deadline, never for a fixed time, in the
// Win32 test programs. The waiting thread may own windows, so every wait keeps
// its message queue moving.
#pragma once

#include <windows.h>

#include "tests/support/wait.h"

namespace brumelis::test_support {

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

// The waits of tests/support/wait.h, dispatching messages between looks.
template <class Condition>
bool WaitUntil(Condition condition, Milliseconds timeout = kStateTimeout) {
    return WaitUntil(condition, timeout, [] { PumpMessagesFor(Milliseconds{5}); });
}

template <class Condition>
bool HoldsFor(Condition condition, Milliseconds interval) {
    return HoldsFor(condition, interval, [] { PumpMessagesFor(Milliseconds{10}); });
}

}  // namespace brumelis::test_support
