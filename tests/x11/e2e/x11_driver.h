// The scenarios' driver on X11: target windows of another process framed by
// the window manager, the toolbar program started beside them, XTest input,
// and reads any X client can make (EWMH properties, the stacking order).
// It asks of the window manager only what EWMH names: _NET_ACTIVE_WINDOW
// (requests and the root's property), _NET_FRAME_EXTENTS, _NET_WM_STATE,
// and that a client's move request moves its frame.
#pragma once

#include <memory>
#include <vector>

#include "tests/scenarios/driver.h"
#include "tests/x11/support/wait.h"
#include "tests/x11/support/x_session.h"
#include "tests/x11/target_process.h"

namespace brumelis::x11_tests {

using scenarios::Point;
using scenarios::Rect;
using scenarios::WindowId;

class X11Driver : public scenarios::Driver {
public:
    // Ends the test program when there is no display with XTest to drive.
    X11Driver();
    ~X11Driver() override;

    XSession& Session() { return x_; }
    // Asks the window manager to activate the window until it has.
    bool Activate(XWindowId window);

    std::unique_ptr<scenarios::ToolbarCopy> StartCopy() override;
    std::vector<std::unique_ptr<scenarios::ToolbarCopy>> StartTogether(int count) override;
    scenarios::Milliseconds StartTimeout() const override { return Milliseconds{10000}; }

    WindowId OpenTarget(const std::string& title, const Rect& place) override;
    bool BringToForeground(WindowId window) override { return Activate(window); }
    WindowId Foreground() override { return x_.ActiveWindow(); }
    void Move(WindowId window, Point corner) override;

    Rect VisibleFrame(WindowId window) override;
    bool IsKeptAbove(WindowId window) override;
    bool IsStackedAbove(WindowId upper, WindowId lower) override;
    std::optional<int> Alpha(WindowId window) override;

    bool Click(WindowId over, Point point, scenarios::Button button) override;
    bool DoubleClick(WindowId over, Point point) override;
    bool Drag(WindowId over, Point from, Point to, scenarios::Button button) override;

    bool WaitUntil(const std::function<bool()>& condition,
                   scenarios::Milliseconds timeout) override {
        return x11_tests::WaitUntil(condition, timeout);
    }
    bool HoldsFor(const std::function<bool()>& condition,
                  scenarios::Milliseconds interval) override {
        return x11_tests::HoldsFor(condition, interval);
    }

private:
    // Waits until the window holding `over` is the top-level at the point.
    bool PointAt(WindowId over, Point point);
    void ReleaseButtons();

    XSession x_;
    std::vector<std::unique_ptr<TargetProcess>> targets_;
};

}  // namespace brumelis::x11_tests
