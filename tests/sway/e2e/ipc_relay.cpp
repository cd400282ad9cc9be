#include "tests/sway/e2e/ipc_relay.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <utility>
#include <vector>

namespace brumelis::sway_tests {

namespace {

sockaddr_un Address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return address;
}

}  // namespace

IpcRelay::IpcRelay(std::string path, std::string swaySocket)
    : path_(std::move(path)), swaySocket_(std::move(swaySocket)) {
    unlink(path_.c_str());
    const sockaddr_un address = Address(path_);
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    listen(listener_, 8);
    if (pipe(wake_) != 0) wake_[0] = wake_[1] = -1;
    thread_ = std::thread([this] { Serve(); });
}

IpcRelay::~IpcRelay() {
    close(wake_[1]);
    thread_.join();
    close(wake_[0]);
    close(listener_);
    unlink(path_.c_str());
}

void IpcRelay::Cut() {
    const char cut = 'c';
    if (write(wake_[1], &cut, 1) != 1) return;
}

void IpcRelay::Serve() {
    std::vector<std::pair<int, int>> pairs;  // the program's end, sway's end
    const auto closeAll = [&] {
        for (const auto& [client, sway] : pairs) {
            close(client);
            close(sway);
        }
        pairs.clear();
    };
    for (;;) {
        std::vector<pollfd> watched{{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const auto& [client, sway] : pairs) {
            watched.push_back({client, POLLIN, 0});
            watched.push_back({sway, POLLIN, 0});
        }
        if (poll(watched.data(), watched.size(), -1) < 0) continue;
        if (watched[0].revents != 0) {
            char byte = 0;
            if (read(wake_[0], &byte, 1) != 1) break;  // closed: the end
            closeAll();
            continue;
        }
        if (watched[1].revents & POLLIN) {
            const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            const int sway = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
            const sockaddr_un address = Address(swaySocket_);
            if (client >= 0 &&
                connect(sway, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
                pairs.emplace_back(client, sway);
            } else {
                close(client);
                close(sway);
            }
            continue;  // the list changed
        }
        for (std::size_t i = 2; i < watched.size(); ++i) {
            if (watched[i].revents == 0) continue;
            const auto& pair = pairs[(i - 2) / 2];
            const int from = watched[i].fd;
            const int to = from == pair.first ? pair.second : pair.first;
            char chunk[65536];
            const ssize_t count = read(from, chunk, sizeof chunk);
            bool ended = count <= 0;
            for (ssize_t sent = 0; !ended && sent < count;) {
                const ssize_t written = send(to, chunk + sent, count - sent, MSG_NOSIGNAL);
                ended = written <= 0;
                sent += written;
            }
            if (ended) {
                close(pair.first);
                close(pair.second);
                pairs.erase(pairs.begin() + static_cast<long>((i - 2) / 2));
                break;  // the list changed
            }
        }
    }
    closeAll();
}

}  // namespace brumelis::sway_tests
