// The scenarios' driver on sway: target windows of another process floated
// where the scenario puts them, the toolbar program started beside them as
// the session's user, input through the wlroots virtual pointer, and reads
// any client of the session can make: sway's tree over its IPC, the screen
// through the wlroots screen copy, the programs' controls over AT-SPI.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "tests/scenarios/toolbar_scenario.h"
#include "tests/sway/e2e/screen_shot.h"
#include "tests/sway/e2e/sway_copy.h"
#include "tests/sway/e2e/toolbar_on_screen.h"
#include "tests/sway/sway_desktop.h"
#include "tests/wayland/pointer_driver.h"

namespace brumelis::sway_tests {

using scenarios::Point;
using scenarios::Rect;
using scenarios::ToolbarCopy;
using scenarios::WindowId;

namespace {

// The layout of scripts/sway-env.sh: one output, and a corner no scenario
// uses where the pointer waits while the screen is read.
constexpr Rect kScreen{0, 0, 1280, 800};
constexpr Point kParked{kScreen.width - 1, kScreen.height - 1};
// How far from its last place the toolbar is looked for before the whole
// screen is searched: a shot of the whole screen takes too long to follow
// a dragged window.
constexpr int kNearby = 64;

Rect Clipped(const Rect& r) {
    const int left = std::max(r.left, kScreen.left), top = std::max(r.top, kScreen.top);
    const int right = std::min(r.left + r.width, kScreen.width);
    const int bottom = std::min(r.top + r.height, kScreen.height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// sway's rect leaves out the title bar; deco_rect is the title bar.
Rect FrameOf(const nlohmann::json& window) {
    const Box rect = BoxOf(window["rect"]);
    const int bar = BoxOf(window["deco_rect"]).height;
    return {rect.x, rect.y - bar, rect.width, rect.height + bar};
}

using wayland_tests::Contains;

class SwayDriver : public wayland_tests::PointerDriver<VirtualPointer> {
public:
    SwayDriver() : PointerDriver(VirtualPointer::Shared(), kParked) {
        if (pointer_ == nullptr || Tree().is_discarded()) {
            std::fprintf(stderr,
                         "no sway session with a virtual pointer (scripts/session-test.sh sway)\n");
            std::exit(1);
        }
        Park();
    }

    std::unique_ptr<ToolbarCopy> StartCopy() override { return std::make_unique<SwayCopy>(); }
    // Spawned one right after the other, nothing waited for in between.
    std::vector<std::unique_ptr<ToolbarCopy>> StartTogether(int count) override {
        std::vector<std::unique_ptr<ToolbarCopy>> copies;
        for (int i = 0; i < count; ++i) copies.push_back(std::make_unique<SwayCopy>());
        return copies;
    }

    // Floated (scripts/sway-env.sh floats every window), sized and moved so
    // that its frame, title bar included, covers the place.
    WindowId OpenTarget(const std::string& title, const Rect& place) override {
        auto target = LineProcess::Start({BRUMELIS_SWAY_TARGET, "--title=" + title, "--white"});
        if (!target || !target->WaitForLine("shown")) return 0;
        const auto window = AwaitWindowTitled(title);
        if (!window) return 0;
        const WindowId id = window->value("id", WindowId{0});
        const std::string con = "[con_id=" + std::to_string(id) + "] ";
        // A floating window's size is its frame's, title bar included.
        if (!Command(con + "resize set width " + std::to_string(place.width) + " px height " +
                     std::to_string(place.height) + " px") ||
            !Command(con + "move position " + std::to_string(place.left) + " " +
                     std::to_string(place.top)) ||
            !WaitUntil([&] { return VisibleFrame(id) == place; })) {
            std::fprintf(stderr, "target \"%s\" not in place: %d,%d %dx%d\n", title.c_str(),
                         VisibleFrame(id).left, VisibleFrame(id).top, VisibleFrame(id).width,
                         VisibleFrame(id).height);
            return 0;
        }
        targets_.push_back(std::move(target));
        return id;
    }
    bool BringToForeground(WindowId window) override {
        return Command("[con_id=" + std::to_string(window) + "] focus") &&
               WaitUntil([&] { return Foreground() == window; });
    }
    WindowId Foreground() override { return FocusedId(Tree()); }
    void Move(WindowId window, Point corner) override {
        Command("[con_id=" + std::to_string(window) + "] move position " +
                std::to_string(corner.x) + " " + std::to_string(corner.y));
    }

    Rect VisibleFrame(WindowId window) override {
        if (IsToolbarId(window)) return ToolbarOnScreen().value_or(Rect{-1, -1, 0, 0});
        const auto found = WindowWithId(Tree(), window);
        return found ? FrameOf(*found) : Rect{-1, -1, 0, 0};
    }
    // sway keeps no window above the others (see KeepsWindowsAbove).
    bool IsKeptAbove(WindowId) override { return false; }
    // The toolbar is above a window when the screen shows it over the
    // window's frame; two windows stack in their workspace's floating order.
    bool IsStackedAbove(WindowId upper, WindowId lower) override {
        const Rect frame = VisibleFrame(lower);
        if (IsToolbarId(upper)) {
            const auto toolbar = ToolbarOnScreen();
            return toolbar && Contains(frame, toolbar->Origin());
        }
        return FloatingOrder(upper) > FloatingOrder(lower) && FloatingOrder(lower) >= 0;
    }
    // sway's IPC does not tell a window's opacity (nor that it has none):
    // the screen, which sway always composites, does (PointerDriver).

    bool KeepsWindowsAbove() override { return false; }
    // Reloaded (sway keeps its clients then); and the copy's connection
    // closed by sway itself, which drops a client that leaves its events
    // unread: the copy is stopped while sway switches workspaces a few
    // thousand times (back where it was each time), then let go.
    bool RestartHelper(ToolbarCopy& copy) override {
        const WindowId toolbar = copy.Toolbar();
        if (toolbar == 0 || !Command("reload")) return false;
        const auto pid = static_cast<pid_t>(toolbar & ((WindowId{1} << 40) - 1));
        std::string flips;
        for (int flip = 0; flip < 50; ++flip)
            flips += "workspace flood; workspace back_and_forth; ";
        kill(pid, SIGSTOP);
        bool flipped = true;
        for (int batch = 0; batch < 40 && flipped; ++batch) flipped = Command(flips);
        kill(pid, SIGCONT);
        return flipped;
    }
    void Pause() override { std::this_thread::sleep_for(std::chrono::milliseconds(5)); }

private:
    std::vector<std::uint32_t> ReadScreen(const Rect& area) override { return ScreenShot(area); }
    // Near its last place first; the whole screen when it is not there.
    std::optional<Rect> ToolbarOnScreen() {
        if (lastToolbar_) {
            const Rect near = Clipped({lastToolbar_->left - kNearby, lastToolbar_->top - kNearby,
                                       scenarios::kUnfoldedSize.width + 2 * kNearby,
                                       scenarios::kUnfoldedSize.height + 2 * kNearby});
            if (const auto found = ToolbarIn(Capture(near), near)) return lastToolbar_ = found;
        }
        return lastToolbar_ = ToolbarIn(Capture(kScreen), kScreen);
    }
    // The window's place among its workspace's floating windows, bottom
    // first; -1 when it floats nowhere.
    int FloatingOrder(WindowId window) {
        const nlohmann::json tree = Tree();
        for (const auto& output : tree.value("nodes", nlohmann::json::array())) {
            for (const auto& workspace : output.value("nodes", nlohmann::json::array())) {
                const auto& floating = workspace.value("floating_nodes", nlohmann::json::array());
                for (std::size_t at = 0; at < floating.size(); ++at) {
                    if (floating[at].value("id", WindowId{0}) == window)
                        return static_cast<int>(at);
                }
            }
        }
        return -1;
    }

    std::optional<Rect> lastToolbar_;
    std::vector<std::unique_ptr<LineProcess>> targets_;
};

}  // namespace

}  // namespace brumelis::sway_tests

namespace brumelis::scenarios {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<sway_tests::SwayDriver>();
}

}  // namespace brumelis::scenarios
