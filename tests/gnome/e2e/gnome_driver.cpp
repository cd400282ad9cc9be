// The scenarios' driver in the headless Shell: target windows of another
// process (GTK on Wayland), the toolbar program started beside them, real
// input from a Clutter virtual device and every reading through the test
// extension. A click is sent once the Shell itself would give the point to
// the window meant (its pick), not when a window list first names it: an
// X11 window under Xwayland is listed before its surface is on the stage.
// Every focus change is recorded by the Shell; a toolbar window among them,
// even for a moment, fails the test.
#include <glib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <set>
#include <string>

#include "tests/gnome/e2e/gnome_copy.h"
#include "tests/gnome/test_shell.h"
#include "tests/support/chord_keysyms.h"
#include "tests/support/line_process.h"
#include "tests/support/wait.h"

namespace brumelis::gnome_tests {

using scenarios::Point;
using scenarios::Rect;
using scenarios::ToolbarCopy;
using scenarios::WindowId;
using namespace std::chrono_literals;

namespace {

constexpr unsigned kLeft = 1, kRight = 3;

unsigned ButtonOf(scenarios::Button button) {
    return button == scenarios::Button::Left ? kLeft : kRight;
}

bool WaitFor(const std::function<bool()>& condition) {
    return test_support::WaitUntil(condition, 5000ms, [] { g_usleep(10000); });
}

class GnomeDriver : public scenarios::Driver {
public:
    GnomeDriver() : focusesBefore_(shell_.FocusLog().size()) {}
    ~GnomeDriver() override {
        // For the next test in this Shell.
        if (heldBack_) WaitFor([&] { return shell_.SetBrumelisLoaded(true); });
        const std::vector<std::uint32_t> log = shell_.FocusLog();
        for (std::size_t at = focusesBefore_; at < log.size(); ++at) {
            EXPECT_EQ(toolbars_.count(log[at]), 0u) << "the toolbar's window had the focus";
        }
        if (holdsKeys_) shell_.Hold("");
    }

    std::unique_ptr<ToolbarCopy> StartCopy() override {
        return std::make_unique<GnomeCopy>(shell_, toolbars_);
    }
    // The Shell up, our extension not loaded yet.
    std::unique_ptr<ToolbarCopy> StartCopyBeforeDesktop() override {
        if (!WaitFor([&] { return shell_.SetBrumelisLoaded(false); })) return nullptr;
        heldBack_ = true;
        return StartCopy();
    }
    bool LetDesktopCome() override {
        heldBack_ = !WaitFor([&] { return shell_.SetBrumelisLoaded(true); });
        return !heldBack_;
    }
    std::vector<std::unique_ptr<ToolbarCopy>> StartTogether(int count) override {
        std::vector<std::unique_ptr<ToolbarCopy>> copies;
        for (int i = 0; i < count; ++i) copies.push_back(StartCopy());
        return copies;
    }

    WindowId OpenTarget(const std::string& title, const Rect& place) override {
        auto target = test_support::LineProcess::Start({BRUMELIS_TARGET, "--title=" + title});
        if (!target || !target->WaitForLine("shown")) return 0;
        std::uint32_t id = 0;
        const auto pid = static_cast<std::uint32_t>(target->Pid());
        if (!WaitFor([&] {
                const auto window = shell_.WindowOf(pid, title);
                return window && (id = window->id) != 0;
            }))
            return 0;
        // Asked again until it holds: the Shell drops a request that comes
        // while it still places the new window.
        if (!WaitFor([&] {
                shell_.MoveResize(id, place.left, place.top, place.width, place.height);
                const auto window = shell_.Window(id);
                return window && window->x == place.left && window->y == place.top &&
                       window->width == place.width && window->height == place.height;
            }))
            return 0;
        targets_.push_back(std::move(target));
        return id;
    }
    bool BringToForeground(WindowId window) override {
        shell_.Activate(static_cast<std::uint32_t>(window));
        return WaitFor([&] { return shell_.Focused() == window; });
    }
    WindowId Foreground() override { return shell_.Focused(); }
    void Move(WindowId window, Point corner) override {
        shell_.Move(static_cast<std::uint32_t>(window), corner.x, corner.y);
    }

    Rect VisibleFrame(WindowId window) override {
        const auto seen = shell_.Window(static_cast<std::uint32_t>(window));
        if (!seen) return Rect{-1, -1, 0, 0};
        return Rect{seen->x, seen->y, seen->width, seen->height};
    }
    bool IsKeptAbove(WindowId window) override {
        const auto seen = shell_.Window(static_cast<std::uint32_t>(window));
        return seen && seen->above;
    }
    bool IsStackedAbove(WindowId upper, WindowId lower) override {
        return shell_.StackedAbove(static_cast<std::uint32_t>(upper),
                                   static_cast<std::uint32_t>(lower));
    }
    std::optional<int> Alpha(WindowId window) override {
        const auto seen = shell_.Window(static_cast<std::uint32_t>(window));
        return seen ? seen->opacity : std::nullopt;
    }
    std::vector<std::uint32_t> Capture(const Rect& area) override {
        return shell_.Capture(area.left, area.top, area.width, area.height);
    }

    bool Click(WindowId over, Point point, scenarios::Button button) override {
        if (!PointAt(over, point)) return false;
        Press(point, ButtonOf(button));
        return true;
    }
    bool DoubleClick(WindowId over, Point point) override {
        if (!PointAt(over, point)) return false;
        Press(point, kLeft);
        Press(point, kLeft);
        return true;
    }
    bool Drag(WindowId over, Point from, Point to, scenarios::Button button) override {
        if (!PointAt(over, from)) return false;
        shell_.Pointer(from.x, from.y, ButtonOf(button), 1);
        // Through a point in between, as a hand would go.
        shell_.Pointer(from.x, (from.y + to.y) / 2, 0, -1);
        shell_.Pointer(to.x, to.y, 0, -1);
        shell_.Pointer(to.x, to.y, ButtonOf(button), 0);
        return true;
    }

    // The Shell's virtual keyboard: downs in order, ups in reverse.
    bool PressKeys(WindowId over, const std::string& chord) override {
        const std::vector<unsigned> keys = test_support::ChordKeysyms(chord);
        if (keys.empty() || !BringToForeground(over)) return false;
        for (auto key = keys.begin(); key != keys.end(); ++key) shell_.Key(*key, true);
        for (auto key = keys.rbegin(); key != keys.rend(); ++key) shell_.Key(*key, false);
        return true;
    }
    // As the user's keyboard settings would: Mutter's own binding.
    bool HoldKeys(const std::string& chord) override {
        std::string accelerator;
        for (std::size_t start = 0, end = 0; start <= chord.size(); start = end + 1) {
            end = std::min(chord.find('+', start), chord.size());
            const std::string name = chord.substr(start, end - start);
            if (end < chord.size())
                accelerator += "<" + std::string(name == "Ctrl" ? "Control" : name) + ">";
            else if (name.size() == 1)
                accelerator += static_cast<char>(name[0] - 'A' + 'a');
            else  // PageUp: Page_Up
                accelerator += name.rfind("Page", 0) == 0 ? "Page_" + name.substr(4) : name;
        }
        shell_.Hold(accelerator);
        holdsKeys_ = true;
        return true;
    }

    bool KeepsWindowsAbove() override { return true; }
    bool ShowsOpacity() override { return true; }
    void Pause() override { g_usleep(10000); }
    std::optional<Rect> SecondMonitor() override {
        // The one away from the stage's origin, in whatever order the Shell lists them.
        for (const std::vector<int>& monitor : shell_.Monitors()) {
            if (monitor[0] != 0 || monitor[1] != 0)
                return Rect{monitor[0], monitor[1], monitor[2], monitor[3]};
        }
        return std::nullopt;
    }

private:
    bool PointAt(WindowId over, Point point) {
        if (WaitFor([&] { return shell_.Pick(point.x, point.y) == over; })) return true;
        const auto id = static_cast<std::uint32_t>(over);
        ADD_FAILURE() << "the Shell gives (" << point.x << ", " << point.y << ") to window "
                      << shell_.Pick(point.x, point.y) << ", not " << over << ": "
                      << shell_.Actor(id);
        return false;
    }
    void Press(Point point, unsigned button) {
        shell_.Pointer(point.x, point.y, button, 1);
        shell_.Pointer(point.x, point.y, button, 0);
    }

    TestShell shell_;
    bool heldBack_ = false;
    std::size_t focusesBefore_;
    std::set<std::uint32_t> toolbars_;
    bool holdsKeys_ = false;
    std::vector<std::unique_ptr<test_support::LineProcess>> targets_;
};

}  // namespace

}  // namespace brumelis::gnome_tests

namespace brumelis::scenarios {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<gnome_tests::GnomeDriver>();
}

}  // namespace brumelis::scenarios
