// The scenarios' driver on KWin: target windows of another process placed
// by a KWin script where the scenario puts them, the toolbar program started
// beside them as the session's user, input through the fake-input pointer,
// and reads any client of the session can make: KWin's windows through a
// test script, the screen through ScreenShot2, the programs' controls over
// AT-SPI.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "tests/kwin/e2e/kwin_copy.h"
#include "tests/kwin/e2e/screen_shot.h"
#include "tests/kwin/kwin_session.h"
#include "tests/scenarios/toolbar_scenario.h"
#include "tests/support/wait.h"

namespace brumelis::kwin_tests {

using scenarios::Point;
using scenarios::Rect;
using scenarios::ToolbarCopy;
using scenarios::WindowId;

namespace {

constexpr std::chrono::milliseconds kDeadline{5000};
// The output of scripts/kwin-env.sh, and a corner no scenario uses where the
// pointer waits while the screen is read (hovered controls look otherwise).
constexpr Point kParked{1279, 799};

bool Contains(const Rect& r, Point p) {
    return p.x >= r.left && p.y >= r.top && p.x < r.left + r.width && p.y < r.top + r.height;
}

Rect FrameOf(const SeenWindow& window) {
    return {window.x, window.y, window.width, window.height};
}

int ButtonOf(scenarios::Button button) {
    return button == scenarios::Button::Left ? 1 : 3;
}

class KWinDriver : public scenarios::Driver {
public:
    KWinDriver() : pointer_(FakePointer::Shared()) {
        if (pointer_ == nullptr) {
            std::fprintf(stderr, "no KWin session with a fake pointer (scripts/kwin-test.sh)\n");
            std::exit(1);
        }
        Park();
    }
    ~KWinDriver() override {
        for (int button : {1, 3}) pointer_->Release(button);
    }

    std::unique_ptr<ToolbarCopy> StartCopy() override { return std::make_unique<KWinCopy>(); }
    // Started one right after the other, nothing waited for in between.
    std::vector<std::unique_ptr<ToolbarCopy>> StartTogether(int count) override {
        std::vector<std::unique_ptr<ToolbarCopy>> copies;
        for (int i = 0; i < count; ++i) copies.push_back(std::make_unique<KWinCopy>());
        return copies;
    }

    // Its frame, title bar and borders included, set by a script to the place.
    WindowId OpenTarget(const std::string& title, const Rect& place) override {
        auto target = LineProcess::Start({BRUMELIS_GTK_TARGET, "--title=" + title, "--white"});
        if (!target || !target->WaitForLine("shown")) return 0;
        const WindowId id = static_cast<WindowId>(target->Pid());
        targets_.insert(target->Pid());
        processes_.push_back(std::move(target));
        const std::string geometry = "w.frameGeometry = {x: " + std::to_string(place.left) +
                                     ", y: " + std::to_string(place.top) +
                                     ", width: " + std::to_string(place.width) +
                                     ", height: " + std::to_string(place.height) + "}";
        // A new window is placed in steps: set again until it stays.
        if (!WaitUntil([&] {
                return VisibleFrame(id) == place ||
                       (ActOnWindow(ProcessOf(id), geometry) && VisibleFrame(id) == place);
            })) {
            const Rect seen = VisibleFrame(id);
            std::fprintf(stderr, "target \"%s\" not in place: %d,%d %dx%d\n", title.c_str(),
                         seen.left, seen.top, seen.width, seen.height);
            return 0;
        }
        return id;
    }
    bool BringToForeground(WindowId window) override {
        const std::string activate =
            "if (six) workspace.activeWindow = w; else workspace.activeClient = w";
        return ActOnWindow(ProcessOf(window), activate) &&
               WaitUntil([&] { return Foreground() == window; });
    }
    WindowId Foreground() override {
        for (const SeenWindow& window : Windows()) {
            if (!window.active) continue;
            if (targets_.count(window.pid) != 0) return static_cast<WindowId>(window.pid);
            return window.normal ? BoxIdOf(window.pid) : ToolbarIdOf(window.pid);
        }
        return 0;
    }
    void Move(WindowId window, Point corner) override {
        ActOnWindow(ProcessOf(window), "w.frameGeometry = {x: " + std::to_string(corner.x) +
                                           ", y: " + std::to_string(corner.y) +
                                           ", width: w.frameGeometry.width, height: "
                                           "w.frameGeometry.height}");
    }

    Rect VisibleFrame(WindowId window) override {
        const auto seen = Find(window);
        return seen ? FrameOf(*seen) : Rect{-1, -1, 0, 0};
    }
    bool IsKeptAbove(WindowId window) override {
        const auto seen = Find(window);
        return seen && seen->keepAbove;
    }
    // In KWin's stacking order, which puts layers (keep above, overlays) in
    // theirs.
    bool IsStackedAbove(WindowId upper, WindowId lower) override {
        const auto above = Find(upper), below = Find(lower);
        return above && below && above->stacking > below->stacking;
    }
    // As the screen shows it: the target's body is white over KWin's black
    // background, so its shown red channel is its alpha; a window never made
    // translucent reads 255, like an opaque one. (KWin's own reading rounds
    // to two decimals.)
    std::optional<int> Alpha(WindowId window) override {
        const Rect frame = VisibleFrame(window);
        const Point probe{frame.left + 12, frame.top + frame.height - 12};
        const std::vector<std::uint32_t> shot = Capture({probe.x, probe.y, 1, 1});
        if (shot.size() != 1) return std::nullopt;
        const std::uint32_t shown = shot.front();
        const int red = static_cast<int>(shown >> 16);
        if ((shown & 0xFF) != static_cast<std::uint32_t>(red)) return -1;  // not grey: not the body
        return red;
    }
    std::optional<int> UnsetAlpha() override { return 255; }

    std::vector<std::uint32_t> Capture(const Rect& area) override {
        Park();
        return ScreenShot(area);
    }

    bool Click(WindowId over, Point point, scenarios::Button button) override {
        if (!PointAt(over, point)) return false;
        return pointer_->Click(point.x, point.y, ButtonOf(button)) && Moved();
    }
    bool DoubleClick(WindowId over, Point point) override {
        if (!PointAt(over, point)) return false;
        return pointer_->Click(point.x, point.y) && pointer_->Press() && pointer_->Release() &&
               Moved();
    }
    bool Drag(WindowId over, Point from, Point to, scenarios::Button button) override {
        if (!PointAt(over, from)) return false;
        // Through a point in between, as a hand would go.
        return pointer_->MoveTo(from.x, from.y) && pointer_->Press(ButtonOf(button)) &&
               pointer_->MoveTo(from.x, (from.y + to.y) / 2) && pointer_->MoveTo(to.x, to.y) &&
               pointer_->Release(ButtonOf(button)) && Moved();
    }

    bool KeepsWindowsAbove() override { return true; }
    bool ShowsOpacity() override { return true; }
    void Pause() override { kwin_tests::Pause(); }

private:
    bool WaitUntil(const std::function<bool()>& condition) {
        return test_support::WaitUntil(condition, kDeadline, [this] { Pause(); });
    }
    // The target's window, or the copy's toolbar (its layer surface takes no
    // input) or message box.
    std::optional<SeenWindow> Find(WindowId window) {
        const long pid = ProcessOf(window);
        const bool wantsInput = !IsToolbarId(window);
        for (const SeenWindow& seen : Windows()) {
            if (seen.pid == pid && seen.normal == wantsInput) return seen;
        }
        return std::nullopt;
    }
    bool PointAt(WindowId over, Point point) {
        return WaitUntil([&] { return Contains(VisibleFrame(over), point); });
    }
    bool Moved() {
        parked_ = false;
        return true;
    }
    void Park() {
        if (!parked_) parked_ = pointer_->MoveTo(kParked.x, kParked.y);
    }

    FakePointer* pointer_;
    bool parked_ = false;
    std::set<long> targets_;
    std::vector<std::unique_ptr<LineProcess>> processes_;
};

}  // namespace

}  // namespace brumelis::kwin_tests

namespace brumelis::scenarios {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<kwin_tests::KWinDriver>();
}

}  // namespace brumelis::scenarios
