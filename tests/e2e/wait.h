// Waiting for real state with a deadline: the shared helpers, a longer
// deadline for a process start, and a reading that is waited for.
#pragma once

#include "tests/support/win32_wait.h"

namespace e2e {

using brumelis::test_support::HoldsFor;
using brumelis::test_support::kStateTimeout;
using brumelis::test_support::Milliseconds;
using brumelis::test_support::PumpMessagesFor;
using brumelis::test_support::WaitUntil;

// A Wine process start takes far longer than a state change.
inline constexpr Milliseconds kStartTimeout{20000};

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

}  // namespace e2e
