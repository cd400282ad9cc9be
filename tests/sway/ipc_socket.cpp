#include "tests/sway/ipc_socket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace brumelis::sway_tests {

namespace {

constexpr char kMagic[] = "i3-ipc";
constexpr std::size_t kMagicLength = 6;
constexpr std::size_t kHeaderLength = kMagicLength + 8;  // then length, type

int Connect() {
    const char* path = std::getenv("SWAYSOCK");
    if (path == nullptr || std::strlen(path) >= sizeof(sockaddr_un::sun_path)) return -1;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return -1;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path);
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(socket);
        return -1;
    }
    return socket;
}

bool WriteAll(int socket, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t count = write(socket, bytes.data() + sent, bytes.size() - sent);
        if (count <= 0) return false;
        sent += static_cast<std::size_t>(count);
    }
    return true;
}

bool ReadAll(int socket, char* into, std::size_t length) {
    std::size_t got = 0;
    while (got < length) {
        const ssize_t count = read(socket, into + got, length - got);
        if (count <= 0) return false;
        got += static_cast<std::size_t>(count);
    }
    return true;
}

std::optional<std::string> Exchange(int socket, IpcRequestType type, const std::string& payload) {
    std::string message(kMagic, kMagicLength);
    const auto length = static_cast<std::uint32_t>(payload.size());
    const auto code = static_cast<std::uint32_t>(type);
    message.append(reinterpret_cast<const char*>(&length), sizeof length);
    message.append(reinterpret_cast<const char*>(&code), sizeof code);
    message += payload;
    char header[kHeaderLength];
    if (!WriteAll(socket, message) || !ReadAll(socket, header, sizeof header) ||
        std::memcmp(header, kMagic, kMagicLength) != 0)
        return std::nullopt;
    std::uint32_t replyLength = 0;
    std::memcpy(&replyLength, header + kMagicLength, sizeof replyLength);
    std::string reply(replyLength, '\0');
    if (!ReadAll(socket, reply.data(), reply.size())) return std::nullopt;
    return reply;
}

}  // namespace

std::optional<std::string> IpcRequest(IpcRequestType type, const std::string& payload) {
    static int socket = -1;
    // Once more on a fresh connection if the kept one broke.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (socket < 0) socket = Connect();
        if (socket < 0) return std::nullopt;
        if (auto reply = Exchange(socket, type, payload)) return reply;
        close(socket);
        socket = -1;
    }
    return std::nullopt;
}

}  // namespace brumelis::sway_tests
