// The window system on sway, through its IPC socket ($SWAYSOCK). Answers
// come from a cache of sway's tree: kept true by the window, workspace and
// (from sway 1.8) output events, and asked again (get_tree, one request at a time) when a
// tick looks at the foreground window or a frame, since sway tells no one
// when a window is moved by a command or by hand. A look therefore reads
// what sway said at most one look earlier; an answer that shows the watched
// window elsewhere calls the move watcher, so a dragged window is followed
// at the move timer's pace.
//
// Changes are commands: opacity (one in flight; the latest value asked
// meanwhile goes when it is answered, so a drag never queues up) and focus.
// sway has no band kept above the others: KeepAbove answers kUnsupported.
//
// sway may close the connection (its IPC drops a client that falls behind;
// a sway restarted on the same socket path): the backend connects again,
// subscribes again and reads the tree again, every quarter second until
// sway answers. Meanwhile the last tree still answers the looks, a change
// answers kNotNow, and nothing asked is kept to be sent later.
//
// The toolbar's keys are bindings of sway's (sway_key_source.h), told
// through the same connection.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/sway/sway_connection.h"
#include "platform/sway/sway_key_source.h"
#include "platform/sway/sway_tree.h"
#include "platform/window_system.h"

namespace brumelis {

class SwayWindowSystem final : public WindowSystem {
public:
    // Connects to the socket at `path`, subscribes to the events and reads
    // the tree once (waiting for it at most a second: the start has no
    // earlier answer to give). Null when sway does not answer there.
    static std::unique_ptr<SwayWindowSystem> Connect(const std::string& path);
    ~SwayWindowSystem() override;

    WindowHandle ForegroundWindow() override;
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override;
    void WatchMoves(WindowHandle window, std::function<void()> moved) override;
    ChangeAnswer KeepAbove(WindowHandle window, bool above) override;
    ChangeAnswer SetOpacity(WindowHandle window, std::uint8_t opacity) override;
    void Activate(WindowHandle window) override;
    std::vector<ListedWindow> TopLevelWindows(WindowHandle window,
                                              std::size_t titleLength) override;

    SwayKeySource& Keys() { return keys_; }

    // IPC requests sent since the connection opened (docs/benchmarks.md).
    std::size_t RequestsSent() const { return connection_->RequestsSent(); }

private:
    SwayWindowSystem(std::string path, std::unique_ptr<SwayConnection> connection);
    void Adopt(std::unique_ptr<SwayConnection> connection);
    void Lose();
    static gboolean OnReconnect(gpointer self);
    void OnEvent(std::uint32_t type, const std::string& payload);
    void OnWindowEvent(const std::string& payload);
    // Asks for the tree unless an answer is already on its way.
    void Refresh();
    void TakeTree(const std::string& payload);
    void SendOpacity();
    // Compares the watched window's frame with the one last known.
    void NoteFrame(const std::optional<ScreenRect>& frame);

    std::string path_;
    std::unique_ptr<SwayConnection> connection_;
    // After the connection: its bindings are removed while it is open.
    SwayKeySource keys_;
    // Set once the new connection's subscription was accepted.
    bool connected_ = true;
    guint reconnectSource_ = 0;
    SwayTree tree_;
    bool refreshing_ = false;

    WindowHandle watched_ = 0;
    std::function<void()> moved_;
    std::optional<ScreenRect> watchedFrame_;

    // Per window, the latest opacity not yet sent.
    bool opacityInFlight_ = false;
    std::map<WindowHandle, std::uint8_t> pendingOpacity_;
};

}  // namespace brumelis
