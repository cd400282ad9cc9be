// One connection to sway's IPC socket, read on the GLib main loop: requests
// are written without waiting (what the socket does not take at once goes
// when it can), answers are matched to their requests in order, events go
// to one handler. Nothing here waits for sway, but Open's first answer.
#pragma once

#include <glib.h>

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/sway/sway_ipc_frame.h"

namespace brumelis {

class SwayConnection {
public:
    using Answer = std::function<void(const std::string& payload)>;
    using EventHandler = std::function<void(std::uint32_t type, const std::string& payload)>;

    // Connects to the socket at `path`; null when nothing listens there.
    static std::unique_ptr<SwayConnection> Open(const std::string& path);
    ~SwayConnection();
    SwayConnection(const SwayConnection&) = delete;
    SwayConnection& operator=(const SwayConnection&) = delete;

    // Sends a request; `answer` gets its reply on the main loop (never if
    // the connection ends first).
    void Send(SwayMessageType type, const std::string& payload, Answer answer);
    // Sends a request and waits for its reply, at most `deadline`: for the
    // start, before the main loop runs. Events read meanwhile are handled.
    std::optional<std::string> Ask(SwayMessageType type, const std::string& payload,
                                   std::chrono::milliseconds deadline);
    void OnEvent(EventHandler handler) { events_ = std::move(handler); }
    // Called once, from the main loop, when sway closes the connection (or
    // it breaks); the connection may be destroyed there.
    void OnClosed(std::function<void()> closed) { closed_ = std::move(closed); }
    // sway has gone (the session ends) or spoke no IPC.
    bool Closed() const { return descriptor_ < 0; }
    // Requests sent since the connection opened (docs/benchmarks.md).
    std::size_t RequestsSent() const { return requestsSent_; }

private:
    explicit SwayConnection(int descriptor);
    static gboolean OnReadable(gint, GIOCondition condition, gpointer self);
    static gboolean OnWritable(gint, GIOCondition condition, gpointer self);
    static gboolean OnClosedNotice(gpointer self);
    // Reads what the socket has and delivers every whole message.
    void ReadAvailable();
    void Deliver(SwayMessage message);
    void Flush();
    void Close();

    int descriptor_;
    guint readSource_ = 0;
    guint writeSource_ = 0;
    guint notifySource_ = 0;
    std::string unsent_;
    SwayFrameReader reader_;
    std::deque<Answer> waiting_;
    EventHandler events_;
    std::function<void()> closed_;
    std::size_t requestsSent_ = 0;
};

}  // namespace brumelis
