// What the sway suites read and ask of the compositor, through its IPC as
// any user of the session could: the tree, a window found by title,
// commands; and the virtual pointer that gives the seat real input.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/line_process.h"

namespace brumelis::sway_tests {

using test_support::LineProcess;

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

// The whole get_tree answer; null when swaymsg failed.
nlohmann::json Tree();
// The first window (a container with an app_id) titled `title`.
std::optional<nlohmann::json> WindowTitled(const std::string& title);
// The same, waiting up to `deadline` for sway to list it.
std::optional<nlohmann::json> AwaitWindowTitled(
    const std::string& title, std::chrono::milliseconds deadline = std::chrono::seconds(10));
// The window (a container with an app_id) of sway's container id `id`.
std::optional<nlohmann::json> WindowWithId(const nlohmann::json& tree, std::uint64_t id);
// The windows of one process, in tree order.
std::vector<nlohmann::json> WindowsOfProcess(const nlohmann::json& tree, int pid);
// The focused window's container id; 0 for none.
std::uint64_t FocusedId(const nlohmann::json& tree);
// Lets a few milliseconds pass between two looks.
void Pause();
Box BoxOf(const nlohmann::json& rect);
// The active outputs' places in the layout, in sway's order.
std::vector<Box> Outputs();
// Runs a sway command; true when every part of it succeeded.
bool Command(const std::string& command);

// The wlroots virtual pointer, connected for as long as it lives.
class VirtualPointer {
public:
    // Null when it could not connect (the reason is on the error output).
    static std::unique_ptr<VirtualPointer> Connect();
    // The test program's one pointer, connected on first use and kept: a
    // client started before the seat had a pointer learns of it only
    // later, and a click sent meanwhile is lost.
    static VirtualPointer* Shared();

    // Each returns once sway has handled the input.
    bool MoveTo(int x, int y);
    bool Press(int button = 1);
    bool Release(int button = 1);
    bool Click(int x, int y, int button = 1);

private:
    explicit VirtualPointer(std::unique_ptr<LineProcess> process) : process_(std::move(process)) {}
    bool Ask(const std::string& line);

    std::unique_ptr<LineProcess> process_;
};

}  // namespace brumelis::sway_tests
