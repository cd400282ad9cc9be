#include "tests/sway/sway_desktop.h"

#include <thread>

#include "tests/support/wait.h"
#include "tests/sway/ipc_socket.h"

namespace brumelis::sway_tests {

namespace {

nlohmann::json Ask(IpcRequestType type, const std::string& payload = {}) {
    const std::optional<std::string> reply = IpcRequest(type, payload);
    if (!reply) return nlohmann::json(nlohmann::json::value_t::discarded);
    return nlohmann::json::parse(*reply, nullptr, false);
}

// Every window of the tree below `node` that `wanted` holds of, in tree order.
template <class Wanted>
void Collect(const nlohmann::json& node, const Wanted& wanted, std::vector<nlohmann::json>& found) {
    if (node.contains("app_id") && wanted(node)) found.push_back(node);
    for (const char* children : {"nodes", "floating_nodes"}) {
        if (!node.contains(children)) continue;
        for (const nlohmann::json& child : node[children]) Collect(child, wanted, found);
    }
}

template <class Wanted>
std::optional<nlohmann::json> First(const nlohmann::json& tree, const Wanted& wanted) {
    std::vector<nlohmann::json> found;
    Collect(tree, wanted, found);
    if (found.empty()) return std::nullopt;
    return found.front();
}

std::optional<nlohmann::json> Find(const nlohmann::json& tree, const std::string& title) {
    return First(tree, [&](const nlohmann::json& node) {
        return node.value("name", std::string()) == title;
    });
}

// The extent of the whole layout: every output's right and bottom edges.
Box LayoutExtent() {
    Box extent;
    for (const Box& rect : Outputs()) {
        extent.width = std::max(extent.width, rect.x + rect.width);
        extent.height = std::max(extent.height, rect.y + rect.height);
    }
    return extent;
}

}  // namespace

nlohmann::json Tree() {
    return Ask(IpcRequestType::GetTree);
}

std::optional<nlohmann::json> WindowTitled(const std::string& title) {
    const nlohmann::json tree = Tree();
    if (tree.is_discarded()) return std::nullopt;
    return Find(tree, title);
}

// Listed, and in the same place at two looks in a row: sway lists a new
// window before its first configure is done (measured: 27 px higher, the
// title bar not yet counted), and a click meanwhile can be lost.
std::optional<nlohmann::json> AwaitWindowTitled(const std::string& title,
                                                std::chrono::milliseconds deadline) {
    std::optional<nlohmann::json> window, previous;
    const bool settled = test_support::WaitUntil(
        [&] {
            previous = window;
            window = WindowTitled(title);
            return window && previous && (*window)["rect"] == (*previous)["rect"];
        },
        deadline, [] { std::this_thread::sleep_for(std::chrono::milliseconds(50)); });
    return settled ? window : std::nullopt;
}

std::optional<nlohmann::json> WindowWithId(const nlohmann::json& tree, std::uint64_t id) {
    return First(
        tree, [&](const nlohmann::json& node) { return node.value("id", std::uint64_t{0}) == id; });
}

std::vector<nlohmann::json> WindowsOfProcess(const nlohmann::json& tree, int pid) {
    std::vector<nlohmann::json> found;
    Collect(
        tree, [&](const nlohmann::json& node) { return node.value("pid", 0) == pid; }, found);
    return found;
}

std::uint64_t FocusedId(const nlohmann::json& tree) {
    const auto focused =
        First(tree, [](const nlohmann::json& node) { return node.value("focused", false); });
    return focused ? focused->value("id", std::uint64_t{0}) : 0;
}

void Pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

Box BoxOf(const nlohmann::json& rect) {
    return Box{rect.value("x", 0), rect.value("y", 0), rect.value("width", 0),
               rect.value("height", 0)};
}

std::vector<Box> Outputs() {
    std::vector<Box> places;
    const nlohmann::json outputs = Ask(IpcRequestType::GetOutputs);
    if (!outputs.is_array()) return places;
    for (const nlohmann::json& output : outputs) {
        if (output.value("active", false)) places.push_back(BoxOf(output["rect"]));
    }
    return places;
}

bool Command(const std::string& command) {
    const nlohmann::json answers = Ask(IpcRequestType::RunCommand, command);
    if (!answers.is_array() || answers.empty()) return false;
    for (const nlohmann::json& answer : answers) {
        if (!answer.value("success", false)) return false;
    }
    return true;
}

std::unique_ptr<VirtualPointer> VirtualPointer::Connect() {
    const Box extent = LayoutExtent();
    if (extent.width <= 0) return nullptr;
    auto process = LineProcess::Start(
        {BRUMELIS_VIRTUAL_POINTER, std::to_string(extent.width), std::to_string(extent.height)});
    if (!process || !process->WaitForLine("ready")) return nullptr;
    return std::unique_ptr<VirtualPointer>(new VirtualPointer(std::move(process)));
}

VirtualPointer* VirtualPointer::Shared() {
    static const std::unique_ptr<VirtualPointer> shared = Connect();
    return shared.get();
}

bool VirtualPointer::Ask(const std::string& line) {
    std::string answer;
    return process_->Send(line) && process_->ReadLine(answer) && answer == "ok";
}

bool VirtualPointer::MoveTo(int x, int y) {
    return Ask("move " + std::to_string(x) + " " + std::to_string(y));
}

bool VirtualPointer::Press(int button) {
    return Ask("press " + std::to_string(button));
}

bool VirtualPointer::Release(int button) {
    return Ask("release " + std::to_string(button));
}

bool VirtualPointer::Click(int x, int y, int button) {
    return MoveTo(x, y) && Press(button) && Release(button);
}

}  // namespace brumelis::sway_tests
