// The X11 suites wait for states with a deadline, never for a fixed time.
#pragma once

#include <chrono>
#include <thread>

namespace brumelis::x11_tests {

inline constexpr std::chrono::milliseconds kStateTimeout{5000};

// Polls the condition until it holds or the deadline passes.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = kStateTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace brumelis::x11_tests
