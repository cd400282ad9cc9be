// The scenarios' driver on Win32: target windows of the driver's own thread,
// the toolbar started with CreateProcess, SendInput clicks, and reads through
// the calls any program can make (GetWindowRect, the extended style,
// GetLayeredWindowAttributes, the #32770 message box). Runs under Wine here
// and unchanged on Windows.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "tests/e2e/target_window.h"
#include "tests/scenarios/driver.h"

namespace brumelis::e2e {

using scenarios::WindowId;

inline HWND Hwnd(WindowId window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
inline WindowId IdOf(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

// The pin button of a toolbar: its one push button.
HWND PinButtonOf(HWND toolbar);

class Win32Driver : public scenarios::Driver {
public:
    std::unique_ptr<scenarios::ToolbarCopy> StartCopy() override;
    std::vector<std::unique_ptr<scenarios::ToolbarCopy>> StartTogether(int count) override;
    scenarios::Milliseconds StartTimeout() const override;

    WindowId OpenTarget(const std::string& title, const Rect& place) override;
    bool BringToForeground(WindowId window) override;
    WindowId Foreground() override { return IdOf(GetForegroundWindow()); }
    void Move(WindowId window, Point corner) override;

    Rect VisibleFrame(WindowId window) override;
    bool IsKeptAbove(WindowId window) override;
    bool IsStackedAbove(WindowId upper, WindowId lower) override;
    std::optional<int> Alpha(WindowId window) override;

    bool Click(WindowId over, Point point, scenarios::Button button) override;
    bool DoubleClick(WindowId over, Point point) override;
    bool Drag(WindowId over, Point from, Point to, scenarios::Button button) override;

    bool WaitUntil(const std::function<bool()>& condition,
                   scenarios::Milliseconds timeout) override;
    bool HoldsFor(const std::function<bool()>& condition,
                  scenarios::Milliseconds interval) override;

    // A target this driver opened; null for any other window.
    const TargetWindow* Target(WindowId window) const;

private:
    std::vector<std::unique_ptr<TargetWindow>> targets_;
};

}  // namespace brumelis::e2e
