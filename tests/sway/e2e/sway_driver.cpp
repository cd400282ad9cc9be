// The scenarios' driver on sway: target windows of another process floated
// where the scenario puts them, the toolbar program started beside them as
// the session's user, input through the wlroots virtual pointer and keyboard
// (wtype), and reads
// any client of the session can make: sway's tree over its IPC, the screen
// through the wlroots screen copy, the programs' controls over AT-SPI.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/scenarios/toolbar_scenario.h"
#include "tests/sway/e2e/screen_shot.h"
#include "tests/sway/e2e/sway_copy.h"
#include "tests/sway/e2e/toolbar_on_screen.h"
#include "tests/sway/sway_desktop.h"
#include "tests/wayland/late_socket.h"
#include "tests/wayland/pointer_driver.h"

namespace brumelis::sway_tests {

using scenarios::Point;
using scenarios::Rect;
using scenarios::ToolbarCopy;
using scenarios::WindowId;

namespace {

// The first output of scripts/sway-env.sh, and a corner of it no scenario
// uses where the pointer waits while the screen is read.
constexpr Rect kFirstOutput{0, 0, 1280, 800};
constexpr Point kParked{kFirstOutput.width - 1, kFirstOutput.height - 1};
// How far from its last place the toolbar is looked for before the whole
// screen is searched: a shot of the whole screen takes too long to follow
// a dragged window.
constexpr int kNearby = 64;

// Every output's place: the one, or two side by side (BRUMELIS_WAYLAND_MONITORS).
std::vector<Rect> OutputPlaces() {
    std::vector<Rect> places;
    for (const Box& output : Outputs())
        places.push_back({output.x, output.y, output.width, output.height});
    return places;
}

// The whole layout.
Rect ScreenOf(const std::vector<Rect>& outputs) {
    Rect screen;
    for (const Rect& output : outputs) {
        screen.width = std::max(screen.width, output.left + output.width);
        screen.height = std::max(screen.height, output.top + output.height);
    }
    return screen;
}

Rect Clipped(const Rect& r, const Rect& screen) {
    const int left = std::max(r.left, screen.left), top = std::max(r.top, screen.top);
    const int right = std::min(r.left + r.width, screen.width);
    const int bottom = std::min(r.top + r.height, screen.height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

// sway's rect leaves out the title bar; deco_rect is the title bar.
Rect FrameOf(const nlohmann::json& window) {
    const Box rect = BoxOf(window["rect"]);
    const int bar = BoxOf(window["deco_rect"]).height;
    return {rect.x, rect.y - bar, rect.width, rect.height + bar};
}

using wayland_tests::Contains;

// A chord of the scenarios ("Super+Ctrl+A") in wtype's names of the
// modifiers and sway's names of them and of the key.
struct SwayChord {
    std::vector<std::string> held, modifiers;
    std::string key;
};
SwayChord SwayChordOf(const std::string& chord) {
    static const std::map<std::string, std::pair<std::string, std::string>> kModifiers{
        {"Super", {"logo", "Mod4"}},
        {"Ctrl", {"ctrl", "Ctrl"}},
        {"Shift", {"shift", "Shift"}},
        {"Alt", {"alt", "Mod1"}}};
    static const std::map<std::string, std::string> kKeys{
        {"PageUp", "Prior"}, {"PageDown", "Next"}, {"Home", "Home"}};
    SwayChord keys;
    std::istringstream parts(chord);
    for (std::string part; std::getline(parts, part, '+');) {
        if (const auto modifier = kModifiers.find(part); modifier != kModifiers.end()) {
            keys.held.push_back(modifier->second.first);
            keys.modifiers.push_back(modifier->second.second);
        } else {
            const auto named = kKeys.find(part);
            keys.key =
                named != kKeys.end()
                    ? named->second
                    : std::string(
                          1, static_cast<char>(std::tolower(static_cast<unsigned char>(part[0]))));
        }
    }
    return keys;
}

// Runs the program to its end; true when it succeeded.
bool Run(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    int status = 0;
    return posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 &&
           waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The file the session's configuration includes (scripts/sway-env.sh).
std::string HeldKeysFile() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return std::string(runtime != nullptr ? runtime : "") + "/held-keys.conf";
}

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
    ~SwayDriver() override {
        if (!holdsKeys_) return;
        std::ofstream(HeldKeysFile(), std::ios::trunc);
        Command("reload");
    }

    std::unique_ptr<ToolbarCopy> StartCopy() override { return std::make_unique<SwayCopy>(); }
    // Its $SWAYSOCK a path nothing answers on yet.
    std::unique_ptr<ToolbarCopy> StartCopyBeforeDesktop() override {
        const char* socket = std::getenv("SWAYSOCK");
        late_ = std::make_unique<wayland_tests::LateSocket>(socket != nullptr ? socket : "");
        return std::make_unique<SwayCopy>(
            std::map<std::string, std::string>{{"SWAYSOCK", late_->Path()}});
    }
    bool LetDesktopCome() override { return late_ && late_->Come(); }
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
            !Command(con + "move absolute position " + std::to_string(place.left) + " " +
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
    // In the layout's pixels: without "absolute" sway counts from the
    // window's own output.
    void Move(WindowId window, Point corner) override {
        Command("[con_id=" + std::to_string(window) + "] move absolute position " +
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
    // wtype, a client of the virtual keyboard: the modifiers down, the key
    // pressed, the modifiers up in reverse order.
    bool PressKeys(WindowId over, const std::string& chord) override {
        const SwayChord keys = SwayChordOf(chord);
        if (keys.key.empty() || !BringToForeground(over)) return false;
        std::vector<std::string> wtype{"wtype"};
        for (const std::string& held : keys.held) wtype.insert(wtype.end(), {"-M", held});
        wtype.insert(wtype.end(), {"-k", keys.key});
        for (auto held = keys.held.rbegin(); held != keys.held.rend(); ++held)
            wtype.insert(wtype.end(), {"-m", *held});
        return Run(wtype);
    }
    // As the user's configuration would: a binding in a file it includes,
    // read again by a reload.
    bool HoldKeys(const std::string& chord) override {
        const SwayChord keys = SwayChordOf(chord);
        std::string combo;
        for (const std::string& modifier : keys.modifiers) combo += modifier + "+";
        std::ofstream file(HeldKeysFile(), std::ios::app);
        file << "bindsym " << combo << keys.key << " exec true\n";
        file.close();
        holdsKeys_ = true;
        return file.good() && Command("reload");
    }
    void Pause() override { std::this_thread::sleep_for(std::chrono::milliseconds(5)); }
    std::optional<Rect> SecondMonitor() override {
        if (outputs_.size() < 2) return std::nullopt;
        return outputs_[1];
    }

private:
    std::vector<std::uint32_t> ReadScreen(const Rect& area) override { return ScreenShot(area); }
    // Near its last place first; the whole screen when it is not there.
    std::optional<Rect> ToolbarOnScreen() {
        if (lastToolbar_) {
            const Rect near = Clipped({lastToolbar_->left - kNearby, lastToolbar_->top - kNearby,
                                       scenarios::kUnfoldedSize.width + 2 * kNearby,
                                       scenarios::kUnfoldedSize.height + 2 * kNearby},
                                      screen_);
            if (const auto found = ToolbarIn(Capture(near), near)) return lastToolbar_ = found;
        }
        return lastToolbar_ = ToolbarIn(Capture(screen_), screen_);
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

    const std::vector<Rect> outputs_ = OutputPlaces();
    const Rect screen_ = ScreenOf(outputs_);
    std::optional<Rect> lastToolbar_;
    std::unique_ptr<wayland_tests::LateSocket> late_;
    bool holdsKeys_ = false;
    std::vector<std::unique_ptr<LineProcess>> targets_;
};

}  // namespace

}  // namespace brumelis::sway_tests

namespace brumelis::scenarios {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<sway_tests::SwayDriver>();
}

}  // namespace brumelis::scenarios
