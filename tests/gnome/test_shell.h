// The gnome suites' hands and eyes in the headless Shell
// (scripts/gnome-env.sh): the test extension's calls
// (tests/gnome/test-extension/, installed as brumelis-test@zolvec.example), waited for on the
// session bus, and calls to Brumelis's own extension as any other program makes them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brumelis::gnome_tests {

struct ShellWindow {
    std::uint32_t id = 0;
    std::string title;
    std::uint32_t pid = 0;
    bool focused = false;
    int x = 0, y = 0, width = 0, height = 0;
    bool above = false;
    // Of its surfaces: none until it changed, -1 when they disagree.
    std::optional<int> opacity;
};

// A drag made by the Shell itself: `count` moves of dx, dy, one every `everyMs`.
struct DragSteps {
    int dx = 0, dy = 0;
    unsigned count = 0, everyMs = 16;
};

class TestShell {
public:
    std::vector<ShellWindow> Windows();
    std::optional<ShellWindow> Window(std::uint32_t id);
    // Whether `upper` is stacked above `lower`, both listed.
    bool StackedAbove(std::uint32_t upper, std::uint32_t lower);
    // The first window of the process with that title, if listed.
    std::optional<ShellWindow> WindowOf(std::uint32_t pid, const std::string& title);
    std::uint32_t Focused();
    // Each monitor's place on the stage: x, y, width, height.
    std::vector<std::vector<int>> Monitors();
    // What the Shell's stage has of the window, in words.
    std::string Actor(std::uint32_t id);
    // Every window the focus went to since the Shell started, in order.
    std::vector<std::uint32_t> FocusLog();
    // The window the Shell gives a click at the point.
    std::uint32_t Pick(int x, int y);
    // press: 1 press, 0 release, -1 move only.
    void Pointer(int x, int y, unsigned button, int press);
    void Move(std::uint32_t id, int x, int y);
    void MoveResize(std::uint32_t id, int x, int y, int width, int height);
    // Drags the window and says, from the Shell's painted frames, how long
    // the tile's window was off its corner (median, p90, max).
    std::string Drag(std::uint32_t id, std::uint32_t tile, const DragSteps& steps);
    void Key(unsigned keyval, bool press);
    // Binds the accelerator to a Mutter action in the Shell's settings; an
    // empty one: that action's default back.
    void Hold(const std::string& accelerator);
    void Activate(std::uint32_t id);
    // Puts on, or takes off, the screen lock's session mode (unlock-dialog).
    void Lock(bool locked);
    // Enables or disables Brumelis's extension, as the user would.
    bool SetBrumelisEnabled(bool enabled);
    // Takes Brumelis's extension out of the Shell, as before it is loaded at
    // log-in, or loads it again; false until the Shell has (asked again).
    bool SetBrumelisLoaded(bool loaded);
    // 0xRRGGBB row by row; empty when the Shell could not take it.
    std::vector<std::uint32_t> Capture(int x, int y, int width, int height);
    // Calls a method of Brumelis's extension from this process; the D-Bus
    // error's name, empty when it was served.
    std::string CallBrumelis(const std::string& method, const std::string& arguments);
};

}  // namespace brumelis::gnome_tests
