#include "platform/sway/sway_connection.h"

#include <errno.h>
#include <fcntl.h>
#include <glib-unix.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace brumelis {

std::unique_ptr<SwayConnection> SwayConnection::Open(const std::string& path) {
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) return nullptr;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int descriptor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0) return nullptr;
    // A local connect is answered at once; only then does the socket stop
    // blocking, so that no later write or read waits for sway.
    if (connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        fcntl(descriptor, F_SETFL, O_NONBLOCK) != 0) {
        close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<SwayConnection>(new SwayConnection(descriptor));
}

SwayConnection::SwayConnection(int descriptor) : descriptor_(descriptor) {
    readSource_ =
        g_unix_fd_add(descriptor_, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR),
                      &SwayConnection::OnReadable, this);
}

SwayConnection::~SwayConnection() {
    closed_ = nullptr;
    Close();
    if (notifySource_ != 0) g_source_remove(notifySource_);
}

void SwayConnection::Close() {
    if (readSource_ != 0) g_source_remove(readSource_);
    if (writeSource_ != 0) g_source_remove(writeSource_);
    readSource_ = writeSource_ = 0;
    if (descriptor_ >= 0) close(descriptor_);
    descriptor_ = -1;
    waiting_.clear();
    // Told from the main loop, not from inside a read or a send of the owner's.
    if (closed_ && notifySource_ == 0) notifySource_ = g_idle_add(&OnClosedNotice, this);
}

gboolean SwayConnection::OnClosedNotice(gpointer data) {
    auto& connection = *static_cast<SwayConnection*>(data);
    connection.notifySource_ = 0;
    // The handler may destroy the connection: nothing of it is used after.
    std::function<void()> closed = std::move(connection.closed_);
    connection.closed_ = nullptr;
    if (closed) closed();
    return G_SOURCE_REMOVE;
}

void SwayConnection::Send(SwayMessageType type, const std::string& payload, Answer answer) {
    if (Closed()) return;
    unsent_ += EncodeSwayMessage(type, payload);
    waiting_.push_back(std::move(answer));
    ++requestsSent_;
    Flush();
}

void SwayConnection::Flush() {
    while (!unsent_.empty() && descriptor_ >= 0) {
        const ssize_t written = send(descriptor_, unsent_.data(), unsent_.size(), MSG_NOSIGNAL);
        if (written > 0) {
            unsent_.erase(0, static_cast<std::size_t>(written));
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // sway is not reading: the rest goes when it does.
            if (writeSource_ == 0) {
                writeSource_ =
                    g_unix_fd_add(descriptor_, G_IO_OUT, &SwayConnection::OnWritable, this);
            }
            return;
        } else {
            Close();
            return;
        }
    }
}

gboolean SwayConnection::OnWritable(gint, GIOCondition, gpointer data) {
    auto& connection = *static_cast<SwayConnection*>(data);
    connection.writeSource_ = 0;
    connection.Flush();
    return G_SOURCE_REMOVE;
}

gboolean SwayConnection::OnReadable(gint, GIOCondition, gpointer data) {
    auto& connection = *static_cast<SwayConnection*>(data);
    connection.ReadAvailable();
    if (!connection.Closed()) return G_SOURCE_CONTINUE;
    // Close has already forgotten the source; GLib removes it on return.
    return G_SOURCE_REMOVE;
}

void SwayConnection::ReadAvailable() {
    char chunk[16384];
    for (;;) {
        const ssize_t count = recv(descriptor_, chunk, sizeof chunk, 0);
        if (count > 0) {
            reader_.Append(chunk, static_cast<std::size_t>(count));
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        const bool ended = count == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        while (auto message = reader_.Next()) Deliver(std::move(*message));
        if (ended || reader_.Broken()) {
            readSource_ = 0;
            Close();
        }
        return;
    }
}

void SwayConnection::Deliver(SwayMessage message) {
    if (IsEvent(message.type)) {
        if (events_) events_(message.type, message.payload);
        return;
    }
    if (waiting_.empty()) return;
    Answer answer = std::move(waiting_.front());
    waiting_.pop_front();
    if (answer) answer(message.payload);
}

std::optional<std::string> SwayConnection::Ask(SwayMessageType type, const std::string& payload,
                                               std::chrono::milliseconds deadline) {
    // Shared: an answer later than the deadline still finds it.
    auto reply = std::make_shared<std::optional<std::string>>();
    Send(type, payload, [reply](const std::string& answer) { *reply = answer; });
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!*reply && !Closed()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd readable{descriptor_, POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) > 0) ReadAvailable();
    }
    return *reply;
}

}  // namespace brumelis
