// Measures how long another thread's message loop leaves posted messages
// waiting. Every 50 ms a thread of the driver posts BM_SETSTYLE to a push
// button of that thread, switching it between push button and default push
// button without redrawing it; only the loop's GetMessage or PeekMessage
// picks that up, and the style, which any process can read, tells when it
// has. A thread waiting inside a send of its own still answers sent
// messages, so a sent probe (SendMessageTimeout, IsHungAppWindow) would not
// see it stuck. Measured under Wine: it ignores WM_CHANGEUISTATE, and
// neither an icon handle nor WM_GETICON crosses processes there.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

class Heartbeat {
public:
    // Starts beating on a push button of another thread.
    explicit Heartbeat(HWND pushButton);
    ~Heartbeat();
    Heartbeat(const Heartbeat&) = delete;
    Heartbeat& operator=(const Heartbeat&) = delete;

    // Stops (waiting for a beat under way to be picked up), puts the button's
    // style back and returns the longest time a beat waited in the queue.
    test_support::Milliseconds Stop();
    int Beats() const { return beats_; }

private:
    void Beat();

    HWND button_;
    HANDLE stop_;
    std::atomic<long long> worstMicroseconds_{0};
    std::atomic<int> beats_{0};
    std::thread thread_;
};

}  // namespace brumelis::e2e
