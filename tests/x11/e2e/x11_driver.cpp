#include "tests/x11/e2e/x11_driver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/x11/e2e/toolbar_program.h"

namespace brumelis::x11_tests {

using scenarios::Answer;
using scenarios::MessageBoxReading;
using scenarios::ToolbarCopy;

namespace {

constexpr std::uint32_t kOpacityPerAlphaStep = 0x01010101;

Button ButtonOf(scenarios::Button button) {
    return button == scenarios::Button::Left ? Button::Left : Button::Right;
}

class X11Copy : public ToolbarCopy {
public:
    explicit X11Copy(X11Driver& driver) : driver_(driver), program_(driver.Session()) {}

    bool Started() const override { return program_.Started(); }
    bool IsRunning() override { return program_.IsRunning(); }
    bool WaitForExit() override { return program_.WaitForExit(); }
    std::optional<int> ExitCode() override { return program_.ExitCode(); }
    WindowId Toolbar() override { return program_.FindToolbar(); }
    // A GTK button's label is drawn, not told to other clients.
    std::optional<std::string> PinCaption() override { return std::nullopt; }

    // Only the title of a GTK message box shows to other clients.
    std::optional<MessageBoxReading> Box() override {
        const XWindowId box = program_.FindBox();
        if (box == 0) return std::nullopt;
        MessageBoxReading reading;
        reading.window = box;
        reading.title = driver_.Session().Title(box).value_or("");
        return reading;
    }

    // With the keys GTK gives the buttons in the C locale (_Yes, _No, OK by
    // default), once the window manager has made the box active.
    bool Answer(const MessageBoxReading& box, scenarios::Answer answer) override {
        if (!driver_.Activate(box.window)) return false;
        switch (answer) {
            case scenarios::Answer::Ok: driver_.Session().Key("Return"); return true;
            case scenarios::Answer::Yes: driver_.Session().Key("y", {"Alt_L"}); return true;
            case scenarios::Answer::No: driver_.Session().Key("n", {"Alt_L"}); return true;
            case scenarios::Answer::Other: break;
        }
        return false;
    }

private:
    X11Driver& driver_;
    ToolbarProgram program_;
};

}  // namespace

X11Driver::X11Driver() {
    if (!x_.Opened() || !x_.HasXTest()) {
        std::fprintf(stderr, "no X display with the XTest extension (scripts/x11-test.sh)\n");
        std::exit(1);
    }
    ReleaseButtons();
    x_.MovePointer({5, 1000});
}

X11Driver::~X11Driver() {
    ReleaseButtons();
}

void X11Driver::ReleaseButtons() {
    for (Button button : {Button::Left, Button::Middle, Button::Right}) x_.Release(button);
}

// Asked again while it is not done: a request the toolbar sent just before
// (the fold toggle activates its target) may reach the window manager after
// ours and win (1 run in 10 under Openbox).
bool X11Driver::Activate(XWindowId window) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        x_.Activate(window);
        if (x11_tests::WaitUntil([&] { return x_.ActiveWindow() == window; }, Milliseconds{1000}))
            return true;
    }
    return false;
}

std::unique_ptr<ToolbarCopy> X11Driver::StartCopy() {
    return std::make_unique<X11Copy>(*this);
}

// Spawned one right after the other, nothing waited for in between.
std::vector<std::unique_ptr<ToolbarCopy>> X11Driver::StartTogether(int count) {
    std::vector<std::unique_ptr<ToolbarCopy>> copies;
    for (int i = 0; i < count; ++i) copies.push_back(std::make_unique<X11Copy>(*this));
    return copies;
}

WindowId X11Driver::OpenTarget(const std::string& title, const Rect& place) {
    TargetOptions options;
    options.title = title;
    options.rect = {place.left, place.top, place.left + place.width, place.top + place.height};
    options.decorated = true;
    std::unique_ptr<TargetProcess> target = TargetProcess::Start(options);
    if (!target) return 0;
    targets_.push_back(std::move(target));
    return targets_.back()->Id();
}

// Where the request lands is the window manager's call (the window's
// gravity, its borders); the scenarios read the frame back.
void X11Driver::Move(WindowId window, Point corner) {
    x_.MoveClient(window, {corner.x, corner.y});
}

// The client's place widened by _NET_FRAME_EXTENTS: frames with invisible
// borders (metacity, mutter) start outside the visible corner. A window
// without extents (the toolbar, unframed windows) is its own top-level.
Rect X11Driver::VisibleFrame(WindowId window) {
    const std::vector<std::uint32_t> extents = x_.Cardinals(window, "_NET_FRAME_EXTENTS");
    const XWindowId shown = extents.size() == 4 ? window : x_.TopLevelOf(window);
    const std::optional<ScreenArea> area = x_.AreaOf(shown);
    if (!area) return {-1, -1, 0, 0};
    if (extents.size() != 4) return {area->left, area->top, area->width, area->height};
    const int left = static_cast<int>(extents[0]), right = static_cast<int>(extents[1]);
    const int top = static_cast<int>(extents[2]), bottom = static_cast<int>(extents[3]);
    return {area->left - left, area->top - top, area->width + left + right,
            area->height + top + bottom};
}

bool X11Driver::IsKeptAbove(WindowId window) {
    const std::vector<std::string> state = x_.AtomNames(window, "_NET_WM_STATE");
    return std::find(state.begin(), state.end(), "_NET_WM_STATE_ABOVE") != state.end();
}

bool X11Driver::IsStackedAbove(WindowId upper, WindowId lower) {
    const std::vector<XWindowId> bottomToTop = x_.RootChildren();
    const auto at = [&](WindowId window) {
        return std::find(bottomToTop.begin(), bottomToTop.end(), x_.TopLevelOf(window));
    };
    const auto upperAt = at(upper);
    return upperAt != bottomToTop.end() && at(lower) < upperAt;
}

// Compositors read the frame; window managers copy the client's: both must
// say the same alpha.
std::optional<int> X11Driver::Alpha(WindowId window) {
    const std::optional<std::uint32_t> frame =
        x_.Cardinal(x_.TopLevelOf(window), "_NET_WM_WINDOW_OPACITY");
    const std::optional<std::uint32_t> client = x_.Cardinal(window, "_NET_WM_WINDOW_OPACITY");
    if (!frame && !client) return std::nullopt;
    if (frame != client || *frame % kOpacityPerAlphaStep != 0) return -1;
    return static_cast<int>(*frame / kOpacityPerAlphaStep);
}

bool X11Driver::PointAt(WindowId over, Point point) {
    const XWindowId shown = x_.TopLevelOf(over);
    return x11_tests::WaitUntil([&] { return x_.ToplevelAt({point.x, point.y}) == shown; });
}

bool X11Driver::Click(WindowId over, Point point, scenarios::Button button) {
    if (!PointAt(over, point)) return false;
    x_.MovePointer({point.x, point.y});
    x_.Click(ButtonOf(button));
    return true;
}

bool X11Driver::DoubleClick(WindowId over, Point point) {
    if (!Click(over, point, scenarios::Button::Left)) return false;
    x_.Click(Button::Left);
    return true;
}

bool X11Driver::Drag(WindowId over, Point from, Point to, scenarios::Button button) {
    if (!PointAt(over, from)) return false;
    x_.MovePointer({from.x, from.y});
    x_.Press(ButtonOf(button));
    // Through a point in between, as a hand would go.
    x_.MovePointer({from.x, (from.y + to.y) / 2});
    x_.MovePointer({to.x, to.y});
    x_.Release(ButtonOf(button));
    return true;
}

}  // namespace brumelis::x11_tests

namespace brumelis::scenarios {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<x11_tests::X11Driver>();
}

}  // namespace brumelis::scenarios
