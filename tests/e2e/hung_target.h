// The driver's handle on a hung-target program: a target window in a process
// of its own, which the driver can put to sleep for a while. Ended by its
// process handle when the test lets go of it.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/screen_types.h"
#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

class HungTarget {
public:
    // Starts the program built beside the driver with a window at `place`;
    // Window() is null when it never showed.
    HungTarget(const std::wstring& title, const Rect& place);
    ~HungTarget();
    HungTarget(const HungTarget&) = delete;
    HungTarget& operator=(const HungTarget&) = delete;

    HWND Window() const { return window_; }
    const std::wstring& StartError() const { return startError_; }

    // Asks the target's thread to stop pumping messages for `length`, and
    // waits until it has: false when it never fell asleep.
    bool Hang(test_support::Milliseconds length) const;
    // Waits until its thread is awake again and has answered a sent message,
    // so that every message sent to it meanwhile has been handled.
    bool WaitUntilAwake(test_support::Milliseconds timeout) const;

private:
    HANDLE process_ = nullptr;
    HANDLE asleep_ = nullptr;
    HANDLE awake_ = nullptr;
    HWND window_ = nullptr;
    std::wstring startError_;
};

}  // namespace brumelis::e2e
