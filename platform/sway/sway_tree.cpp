#include "platform/sway/sway_tree.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "base/utf8_text.h"

namespace brumelis {

namespace {

using Json = nlohmann::json;

std::int32_t Number(const Json& object, const char* key) {
    const auto found = object.find(key);
    return found != object.end() && found->is_number_integer() ? found->get<std::int32_t>() : 0;
}

ScreenRect RectOf(const Json& rect) {
    const std::int32_t x = Number(rect, "x"), y = Number(rect, "y");
    return ScreenRect{x, y, x + Number(rect, "width"), y + Number(rect, "height")};
}

// Views have an app_id (Wayland clients) or an X window number (X11
// clients, whose app_id is null); every other node has "window": null.
bool IsWindow(const Json& node) {
    const auto appId = node.find("app_id");
    const auto xWindow = node.find("window");
    return (appId != node.end() && appId->is_string()) ||
           (xWindow != node.end() && xWindow->is_number());
}

SwayWindow WindowOf(const Json& node, const ScreenRect& output, std::int32_t titleRows) {
    SwayWindow window;
    window.id = Number(node, "id");
    const auto name = node.find("name");
    if (name != node.end() && name->is_string())
        window.title = TextFromUtf8(name->get<std::string>());
    window.frame = RectOf(node.value("rect", Json::object()));
    window.frame.top -= Number(node.value("deco_rect", Json::object()), "height") * titleRows;
    window.output = output;
    return window;
}

struct Walk {
    SwayTree tree;
    std::vector<SwayWindow> tiled;     // in tree order
    std::vector<SwayWindow> floating;  // in tree order: the last is on top
};

void Visit(const Json& node, const Json* parent, ScreenRect output, bool floating, Walk& walk) {
    if (!node.is_object()) return;
    if (node.value("type", std::string()) == "output") output = RectOf(node.value("rect", Json()));
    if (IsWindow(node)) {
        const bool stacked = parent != nullptr && parent->value("layout", "") == "stacked";
        const auto rows = stacked ? static_cast<std::int32_t>((*parent)["nodes"].size()) : 1;
        SwayWindow window = WindowOf(node, output, rows);
        if (node.value("focused", false)) walk.tree.focused = window.id;
        (floating ? walk.floating : walk.tiled).push_back(std::move(window));
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        const auto found = node.find(children);
        if (found == node.end() || !found->is_array()) continue;
        const bool floats = floating || std::string_view(children) == "floating_nodes";
        for (const Json& child : *found) Visit(child, &node, output, floats, walk);
    }
}

}  // namespace

const SwayWindow* SwayTree::Find(WindowHandle id) const {
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [id](const SwayWindow& window) { return window.id == id; });
    return found == windows.end() ? nullptr : &*found;
}

std::optional<SwayTree> ParseSwayTree(std::string_view json) {
    const Json root = Json::parse(json, nullptr, false);
    if (!root.is_object() || root.value("type", std::string()) != "root") return std::nullopt;
    Walk walk;
    Visit(root, nullptr, ScreenRect{}, false, walk);
    walk.tree.windows.assign(walk.floating.rbegin(), walk.floating.rend());
    walk.tree.windows.insert(walk.tree.windows.end(), walk.tiled.begin(), walk.tiled.end());
    return std::move(walk.tree);
}

std::optional<SwayWindowEvent> ParseSwayWindowEvent(std::string_view json) {
    const Json event = Json::parse(json, nullptr, false);
    if (!event.is_object() || !event.contains("change") || !event["change"].is_string() ||
        !event.contains("container") || !event["container"].is_object()) {
        return std::nullopt;
    }
    return SwayWindowEvent{event["change"].get<std::string>(),
                           WindowOf(event["container"], ScreenRect{}, 1)};
}

bool SwayCommandSucceeded(std::string_view json) {
    const Json answers = Json::parse(json, nullptr, false);
    if (!answers.is_array() || answers.empty()) return false;
    return std::all_of(answers.begin(), answers.end(), [](const Json& answer) {
        return answer.is_object() && answer.value("success", false);
    });
}

}  // namespace brumelis
