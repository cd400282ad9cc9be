#include "platform/sway/sway_window_system.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace brumelis {

namespace {

constexpr auto kFirstTreeDeadline = std::chrono::seconds(1);
constexpr guint kReconnectIntervalMs = 250;

// A binding's event tells a press of the toolbar's keys.
const std::string kEvents = R"(["window","workspace","binding"])";
// Output events came with sway 1.8; 1.7 refuses the subscription (and a
// new output shows as a workspace event there).
const std::string kLaterEvents = R"(["output"])";

std::string ConCriteria(WindowHandle window) {
    return "[con_id=" + std::to_string(window) + "] ";
}

// sway takes opacity as a fraction; three decimals tell the 256 steps apart.
std::string OpacityCommand(WindowHandle window, std::uint8_t opacity) {
    char value[16];
    std::snprintf(value, sizeof value, "%.3f", opacity / 255.0);
    return ConCriteria(window) + "opacity " + value;
}

}  // namespace

std::unique_ptr<SwayWindowSystem> SwayWindowSystem::Connect(const std::string& path) {
    auto connection = SwayConnection::Open(path);
    if (!connection) return nullptr;
    const auto subscribed =
        connection->Ask(SwayMessageType::kSubscribe, kEvents, kFirstTreeDeadline);
    if (!subscribed || !SwayCommandSucceeded("[" + *subscribed + "]")) return nullptr;
    connection->Send(SwayMessageType::kSubscribe, kLaterEvents, nullptr);
    const auto tree = connection->Ask(SwayMessageType::kGetTree, "", kFirstTreeDeadline);
    const auto parsed = tree ? ParseSwayTree(*tree) : std::nullopt;
    if (!parsed) return nullptr;
    std::unique_ptr<SwayWindowSystem> system(new SwayWindowSystem(path, std::move(connection)));
    system->tree_ = *parsed;
    return system;
}

SwayWindowSystem::SwayWindowSystem(std::string path, std::unique_ptr<SwayConnection> connection)
    : path_(std::move(path)), keys_("brumelis-" + std::to_string(getpid())) {
    Adopt(std::move(connection));
}

SwayWindowSystem::~SwayWindowSystem() {
    if (reconnectSource_ != 0) g_source_remove(reconnectSource_);
}

void SwayWindowSystem::Adopt(std::unique_ptr<SwayConnection> connection) {
    connection_ = std::move(connection);
    keys_.Use(*connection_);
    connection_->OnEvent(
        [this](std::uint32_t type, const std::string& payload) { OnEvent(type, payload); });
    connection_->OnClosed([this] { Lose(); });
}

// What was in flight went with the connection; what waited is dropped, not
// sent to whatever window has the focus once sway is back.
void SwayWindowSystem::Lose() {
    connected_ = false;
    refreshing_ = false;
    opacityInFlight_ = false;
    pendingOpacity_.clear();
    if (reconnectSource_ == 0) {
        reconnectSource_ = g_timeout_add(kReconnectIntervalMs, &OnReconnect, this);
    }
}

// Nothing here waits for sway: the subscription's answer and the tree come
// on the main loop like any other.
gboolean SwayWindowSystem::OnReconnect(gpointer data) {
    auto& system = *static_cast<SwayWindowSystem*>(data);
    auto connection = SwayConnection::Open(system.path_);
    if (!connection) return G_SOURCE_CONTINUE;
    system.reconnectSource_ = 0;
    system.Adopt(std::move(connection));
    system.connection_->Send(SwayMessageType::kSubscribe, kEvents,
                             [&system](const std::string& answer) {
                                 if (!SwayCommandSucceeded("[" + answer + "]")) return;
                                 system.connected_ = true;
                                 system.Refresh();
                                 system.keys_.Rebind();
                             });
    system.connection_->Send(SwayMessageType::kSubscribe, kLaterEvents, nullptr);
    return G_SOURCE_REMOVE;
}

WindowHandle SwayWindowSystem::ForegroundWindow() {
    Refresh();
    return tree_.focused;
}

std::optional<ScreenRect> SwayWindowSystem::VisibleFrame(WindowHandle window) {
    Refresh();
    const SwayWindow* found = tree_.Find(window);
    if (found == nullptr) return std::nullopt;
    return found->frame;
}

void SwayWindowSystem::WatchMoves(WindowHandle window, std::function<void()> moved) {
    watched_ = window;
    moved_ = std::move(moved);
    const SwayWindow* found = tree_.Find(window);
    watchedFrame_ = found != nullptr ? std::optional<ScreenRect>(found->frame) : std::nullopt;
}

ChangeAnswer SwayWindowSystem::KeepAbove(WindowHandle, bool) {
    // Floating windows sit above tiled ones, and `sticky` only means "on
    // every workspace": no window can be kept above the others.
    return ChangeAnswer::kUnsupported;
}

ChangeAnswer SwayWindowSystem::SetOpacity(WindowHandle window, std::uint8_t opacity) {
    // A window sway no longer has: nothing to change, nothing to refuse.
    if (tree_.Find(window) == nullptr) return ChangeAnswer::kAccepted;
    if (!connected_) return ChangeAnswer::kNotNow;
    pendingOpacity_[window] = opacity;
    SendOpacity();
    return ChangeAnswer::kAccepted;
}

void SwayWindowSystem::SendOpacity() {
    if (opacityInFlight_ || pendingOpacity_.empty()) return;
    const auto next = pendingOpacity_.begin();
    const std::string command = OpacityCommand(next->first, next->second);
    pendingOpacity_.erase(next);
    opacityInFlight_ = true;
    // A window gone meanwhile makes the command fail: nothing to do then.
    connection_->Send(SwayMessageType::kRunCommand, command, [this](const std::string&) {
        opacityInFlight_ = false;
        SendOpacity();
    });
}

void SwayWindowSystem::Activate(WindowHandle window) {
    if (!connected_ || tree_.Find(window) == nullptr) return;
    connection_->Send(SwayMessageType::kRunCommand, ConCriteria(window) + "focus", nullptr);
}

std::vector<ListedWindow> SwayWindowSystem::TopLevelWindows(WindowHandle, std::size_t titleLength) {
    std::vector<ListedWindow> listed;
    listed.reserve(tree_.windows.size());
    for (const SwayWindow& window : tree_.windows) {
        listed.push_back({window.id, window.title
                                         ? std::optional<Text>(CutTitle(*window.title, titleLength))
                                         : std::nullopt});
    }
    return listed;
}

void SwayWindowSystem::Refresh() {
    if (!connected_ || refreshing_ || connection_->Closed()) return;
    refreshing_ = true;
    connection_->Send(SwayMessageType::kGetTree, "",
                      [this](const std::string& payload) { TakeTree(payload); });
}

void SwayWindowSystem::TakeTree(const std::string& payload) {
    refreshing_ = false;
    auto parsed = ParseSwayTree(payload);
    if (!parsed) return;
    tree_ = std::move(*parsed);
    const SwayWindow* watched = tree_.Find(watched_);
    NoteFrame(watched != nullptr ? std::optional<ScreenRect>(watched->frame) : std::nullopt);
}

void SwayWindowSystem::NoteFrame(const std::optional<ScreenRect>& frame) {
    const bool changed = frame != watchedFrame_;
    watchedFrame_ = frame;
    if (changed && frame && watched_ != 0 && moved_) moved_();
}

void SwayWindowSystem::OnEvent(std::uint32_t type, const std::string& payload) {
    keys_.OnEvent(type, payload);
    if (type == static_cast<std::uint32_t>(SwayMessageType::kBindingEvent)) return;
    if (type == static_cast<std::uint32_t>(SwayMessageType::kWindowEvent)) {
        OnWindowEvent(payload);
    }
    // Whatever changed (a workspace shown, an output added), the tree says
    // where every window is now.
    Refresh();
}

// The event's own word is taken at once, so that a tick before the next
// tree already sees the new focus, and no longer offers a closed window.
void SwayWindowSystem::OnWindowEvent(const std::string& payload) {
    const auto event = ParseSwayWindowEvent(payload);
    if (!event) return;
    const WindowHandle id = event->window.id;
    if (event->change == "focus") {
        tree_.focused = id;
    } else if (event->change == "close") {
        tree_.windows.erase(
            std::remove_if(tree_.windows.begin(), tree_.windows.end(),
                           [id](const SwayWindow& window) { return window.id == id; }),
            tree_.windows.end());
        if (tree_.focused == id) tree_.focused = 0;
    }
}

}  // namespace brumelis
