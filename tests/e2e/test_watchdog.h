// Ends the driver when one test runs far longer than any wait in it allows:
// a test stuck in a call that never returns (a modal loop entered by a stray
// click) then fails with its name instead of holding the run until CTest's
// time-out.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace brumelis::e2e {

class TestWatchdog : public testing::EmptyTestEventListener {
public:
    explicit TestWatchdog(std::chrono::seconds limit) : limit_(limit) {
        std::thread([this] { Watch(); }).detach();
    }

    void OnTestStart(const testing::TestInfo& test) override {
        current_ = std::string(test.test_suite_name()) + "." + test.name();
        startedAt_ = NowMilliseconds();
    }
    void OnTestEnd(const testing::TestInfo&) override { startedAt_ = 0; }

private:
    static long long NowMilliseconds() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

    void Watch() {
        const long long limit =
            std::chrono::duration_cast<std::chrono::milliseconds>(limit_).count();
        for (;;) {
            Sleep(1000);
            const long long started = startedAt_;
            if (started == 0 || NowMilliseconds() - started < limit) continue;
            std::fprintf(stderr, "\n[  HUNG    ] %s ran past %lld s; ending the driver\n",
                         current_.c_str(), static_cast<long long>(limit_.count()));
            std::fflush(stderr);
            std::fflush(stdout);
            // The toolbars this driver started belong to its job and end with it.
            ExitProcess(3);
        }
    }

    const std::chrono::seconds limit_;
    std::atomic<long long> startedAt_{0};  // steady-clock milliseconds; 0 between tests
    std::string current_;                  // written before startedAt_, read after it
};

}  // namespace brumelis::e2e
