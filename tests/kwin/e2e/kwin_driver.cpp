// The scenarios' driver on KWin: target windows of another process placed
// by a KWin script where the scenario puts them, the toolbar program started
// beside them as the session's user, input through fake input (the pointer,
// and keys that reach KWin's global shortcuts), and reads any client of the
// session can make: KWin's windows through a test script, the screen
// through ScreenShot2 (or from the sway KWin 6 runs nested in), the
// programs' controls over AT-SPI.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/kwin/e2e/kwin_copy.h"
#include "tests/kwin/e2e/screen_shot.h"
#include "tests/kwin/kwin_session.h"
#include "tests/scenarios/toolbar_scenario.h"
#include "tests/wayland/late_socket.h"
#include "tests/wayland/pointer_driver.h"

namespace brumelis::kwin_tests {

using scenarios::Point;
using scenarios::Rect;
using scenarios::ToolbarCopy;
using scenarios::WindowId;

namespace {

// The output of scripts/kwin-env.sh, and a corner no scenario uses where the
// pointer waits while the screen is read (hovered controls look otherwise).
constexpr Point kParked{1279, 799};

const char kOutputsScript[] = R"js(
var areas = [];
if (workspace.screens !== undefined)
    for (var i = 0; i < workspace.screens.length; ++i) areas.push(workspace.screens[i].geometry);
else
    for (var i = 0; i < workspace.numScreens; ++i)
        areas.push(workspace.clientArea(KWin.ScreenArea, i, workspace.currentDesktop));
var lines = [];
for (var i = 0; i < areas.length; ++i)
    lines.push([areas[i].x, areas[i].y, areas[i].width, areas[i].height].join(" "));
callDBus("OWNER", "/example/zolvec/BrumelisTest", "example.zolvec.BrumelisTest1", "Seen", lines.join("\n"));
)js";

// The session bus's socket (scripts/kwin-env.sh names it by path).
std::string SessionBusSocket() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const std::string prefix = "unix:path=";
    std::string socket = address != nullptr ? address : "";
    if (socket.rfind(prefix, 0) != 0) return {};
    socket = socket.substr(prefix.size());
    return socket.substr(0, socket.find(','));
}

Rect FrameOf(const SeenWindow& window) {
    return {window.x, window.y, window.width, window.height};
}

class KWinDriver : public wayland_tests::PointerDriver<FakePointer> {
public:
    KWinDriver() : PointerDriver(FakePointer::Shared(), kParked) {
        if (pointer_ == nullptr) {
            std::fprintf(stderr,
                         "no KWin session with a fake pointer (scripts/session-test.sh kwin)\n");
            std::exit(1);
        }
        Park();
    }
    // The session's KWin would keep it held for the next scenario.
    ~KWinDriver() override { ForgetHeldChords(); }

    std::unique_ptr<ToolbarCopy> StartCopy() override { return std::make_unique<KWinCopy>(); }
    // In a Plasma session whose session bus, and so KWin's name, is not
    // there yet.
    std::unique_ptr<ToolbarCopy> StartCopyBeforeDesktop() override {
        late_ = std::make_unique<wayland_tests::LateSocket>(SessionBusSocket());
        return std::make_unique<KWinCopy>(std::map<std::string, std::string>{
            {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + late_->Path()}});
    }
    bool LetDesktopCome() override { return late_ && late_->Come(); }
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
    // Opacity as the screen shows it (PointerDriver): KWin's own reading
    // rounds to two decimals. KWin's software renderer (nested in sway)
    // keeps an opacity in 256ths, truncated, and draws a translucent alpha A
    // as A - 1 (seen: 230, 204, 129 and 3 as 229, 203, 128 and 2).
    std::optional<int> Alpha(WindowId window) override {
        const std::optional<int> shown = PointerDriver::Alpha(window);
        if (!nested_ || !shown || *shown <= 0 || *shown >= 255) return shown;
        return *shown + 1;
    }

    bool PressKeys(WindowId over, const std::string& chord) override {
        return BringToForeground(over) && pointer_->PressKeys(chord);
    }
    bool HoldKeys(const std::string& chord) override { return HoldChord(chord); }
    bool KeepsWindowsAbove() override { return true; }
    // Unloaded by name, as any program on the session bus may.
    bool RestartHelper(ToolbarCopy& copy) override {
        const WindowId toolbar = copy.Toolbar();
        return toolbar != 0 && UnloadScript("brumelis-" + std::to_string(ProcessOf(toolbar)));
    }
    void Pause() override { kwin_tests::Pause(); }
    // The output away from the desktop's origin, as a script reads KWin's.
    std::optional<Rect> SecondMonitor() override {
        const auto seen = RunScript(kOutputsScript, std::chrono::seconds(5), nullptr);
        std::istringstream outputs(seen.value_or(""));
        for (Rect output; outputs >> output.left >> output.top >> output.width >> output.height;) {
            if (output.left != 0 || output.top != 0) return output;
        }
        return std::nullopt;
    }

private:
    std::vector<std::uint32_t> ReadScreen(const Rect& area) override { return ScreenShot(area); }
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

    const bool nested_ = std::getenv("BRUMELIS_KWIN_HOST_DISPLAY") != nullptr;
    std::unique_ptr<wayland_tests::LateSocket> late_;
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
