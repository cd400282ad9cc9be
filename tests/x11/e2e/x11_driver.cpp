// The window manager is asked only what EWMH names: _NET_ACTIVE_WINDOW
// (requests and the root's property), _NET_FRAME_EXTENTS, _NET_WM_STATE,
// and that a client's move request moves its frame.
#include "tests/x11/e2e/x11_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "tests/support/chord_keysyms.h"
#include "tests/x11/e2e/toolbar_program.h"
#include "tests/x11/support/wait.h"
#include "tests/x11/target_process.h"
// Xlib last: its macros clash with names above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace brumelis::x11_tests {

using scenarios::Point;
using scenarios::Rect;
using scenarios::ToolbarCopy;
using scenarios::WindowId;

namespace {

constexpr std::uint32_t kOpacityPerAlphaStep = 0x01010101;

Button ButtonOf(scenarios::Button button) {
    return button == scenarios::Button::Left ? Button::Left : Button::Right;
}

class X11Driver : public scenarios::Driver {
public:
    X11Driver() {
        if (!x_.Opened() || !x_.HasXTest()) {
            std::fprintf(stderr,
                         "no X display with the XTest extension (scripts/session-test.sh x11)\n");
            std::exit(1);
        }
        ReleaseButtons();
        x_.MovePointer({5, 1000});
    }
    ~X11Driver() override { ReleaseButtons(); }
    XSession& Session() { return x_; }

    std::unique_ptr<ToolbarCopy> StartCopy() override {
        return std::make_unique<ToolbarProgram>(x_);
    }
    // Spawned one right after the other, nothing waited for in between.
    std::vector<std::unique_ptr<ToolbarCopy>> StartTogether(int count) override {
        std::vector<std::unique_ptr<ToolbarCopy>> copies;
        for (int i = 0; i < count; ++i) copies.push_back(std::make_unique<ToolbarProgram>(x_));
        return copies;
    }

    // GDK_SCALE, which the program inherits: GDK's own reading of it.
    int ToolbarScale() override {
        const char* scale = std::getenv("GDK_SCALE");
        return scale != nullptr && std::atoi(scale) > 1 ? std::atoi(scale) : 1;
    }

    WindowId OpenTarget(const std::string& title, const Rect& place) override {
        TargetOptions options;
        options.title = title;
        options.rect = {place.left, place.top, place.left + place.width, place.top + place.height};
        options.decorated = true;
        std::unique_ptr<TargetProcess> target = TargetProcess::Start(options);
        if (!target) return 0;
        targets_.push_back(std::move(target));
        return targets_.back()->Id();
    }
    bool BringToForeground(WindowId window) override { return x_.ActivateAndWait(window); }
    WindowId Foreground() override { return x_.ActiveWindow(); }
    // Where the request lands is the window manager's call (the window's
    // gravity, its borders); the scenarios read the frame back.
    void Move(WindowId window, Point corner) override { x_.MoveClient(window, corner); }

    // Frames with invisible borders (metacity, mutter) start outside the
    // visible corner; a window without extents (the toolbar) is its own.
    Rect VisibleFrame(WindowId window) override {
        return x_.VisibleFrameOf(window).value_or(Rect{-1, -1, 0, 0});
    }
    bool IsKeptAbove(WindowId window) override {
        const std::vector<std::string> state = x_.AtomNames(window, "_NET_WM_STATE");
        return std::find(state.begin(), state.end(), "_NET_WM_STATE_ABOVE") != state.end();
    }
    bool IsStackedAbove(WindowId upper, WindowId lower) override {
        const std::vector<XWindowId> bottomToTop = x_.RootChildren();
        const auto at = [&](WindowId window) {
            return std::find(bottomToTop.begin(), bottomToTop.end(), x_.TopLevelOf(window));
        };
        const auto upperAt = at(upper);
        return upperAt != bottomToTop.end() && at(lower) < upperAt;
    }
    // Compositors read the frame's, window managers copy the client's: both
    // must say the same alpha.
    std::optional<int> Alpha(WindowId window) override {
        const std::optional<std::uint32_t> frame =
            x_.Cardinal(x_.TopLevelOf(window), "_NET_WM_WINDOW_OPACITY");
        const std::optional<std::uint32_t> client = x_.Cardinal(window, "_NET_WM_WINDOW_OPACITY");
        if (!frame && !client) return std::nullopt;
        if (frame != client || *frame % kOpacityPerAlphaStep != 0) return -1;
        return static_cast<int>(*frame / kOpacityPerAlphaStep);
    }

    std::vector<std::uint32_t> Capture(const Rect& area) override { return x_.Capture(area); }

    bool Click(WindowId over, Point point, scenarios::Button button) override {
        if (!PointAt(over, point)) return false;
        x_.MovePointer(point);
        x_.Click(ButtonOf(button));
        return true;
    }
    bool DoubleClick(WindowId over, Point point) override {
        if (!Click(over, point, scenarios::Button::Left)) return false;
        x_.Click(Button::Left);
        return true;
    }
    bool Drag(WindowId over, Point from, Point to, scenarios::Button button) override {
        if (!PointAt(over, from)) return false;
        x_.MovePointer(from);
        x_.Press(ButtonOf(button));
        // Through a point in between, as a hand would go.
        x_.MovePointer({from.x, (from.y + to.y) / 2});
        x_.MovePointer(to);
        x_.Release(ButtonOf(button));
        return true;
    }

    // XTest: downs in order, ups in reverse.
    bool PressKeys(WindowId over, const std::string& chord) override {
        const std::vector<unsigned> keys = test_support::ChordKeysyms(chord);
        if (keys.empty() || !BringToForeground(over)) return false;
        Display* display = x_.Display();
        for (std::size_t i = 0; i < 2 * keys.size(); ++i) {
            const bool up = i >= keys.size();
            const KeySym key = keys[up ? 2 * keys.size() - 1 - i : i];
            XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), up ? False : True, 0);
        }
        XSync(display, False);
        return true;
    }
    // A passive grab of the driver's connection, as another client's, in
    // each state of the locks (Caps Lock 2, Num Lock on Mod2, 16, here).
    bool HoldKeys(const std::string& chord) override {
        Display* display = x_.Display();
        unsigned modifiers = 0;
        KeyCode code = 0;
        for (const KeySym key : test_support::ChordKeysyms(chord)) {
            if (key == XK_Super_L)
                modifiers |= Mod4Mask;
            else if (key == XK_Control_L)
                modifiers |= ControlMask;
            else if (key == XK_Shift_L)
                modifiers |= ShiftMask;
            else if (key == XK_Alt_L)
                modifiers |= Mod1Mask;
            else
                code = XKeysymToKeycode(display, key);
        }
        if (code == 0) return false;
        for (const unsigned locks : {0u, 2u, 16u, 18u})
            XGrabKey(display, code, modifiers | locks, DefaultRootWindow(display), False,
                     GrabModeAsync, GrabModeAsync);
        XSync(display, False);
        return true;
    }

    bool KeepsWindowsAbove() override {
        const std::vector<std::string> supported = x_.AtomNames(x_.Root(), "_NET_SUPPORTED");
        return std::find(supported.begin(), supported.end(), "_NET_WM_STATE_ABOVE") !=
               supported.end();
    }
    bool ShowsOpacity() override { return x_.CompositorRuns(); }
    void Pause() override { IdlePump(); }

private:
    // Waits until the window holding `over` is the top-level at the point.
    bool PointAt(WindowId over, Point point) {
        const XWindowId shown = x_.TopLevelOf(over);
        return WaitUntil([&] { return x_.ToplevelAt(point) == shown; }, kStateTimeout);
    }
    void ReleaseButtons() {
        for (Button button : {Button::Left, Button::Middle, Button::Right}) x_.Release(button);
    }

    XSession x_;
    std::vector<std::unique_ptr<TargetProcess>> targets_;
};

}  // namespace

XSession& SessionOf(scenarios::Driver& driver) {
    return static_cast<X11Driver&>(driver).Session();
}

}  // namespace brumelis::x11_tests

namespace brumelis::scenarios {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<x11_tests::X11Driver>();
}

}  // namespace brumelis::scenarios
