// sway's IPC messages on the wire (the i3 format): the magic "i3-ipc", the
// payload's length and the message type as 32-bit numbers in the machine's
// order, then the payload (JSON). Events carry the type's high bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brumelis {

enum class SwayMessageType : std::uint32_t {
    kRunCommand = 0,
    kSubscribe = 2,
    kGetTree = 4,
    kGetConfig = 9,
    kWorkspaceEvent = 0x80000000u,
    kOutputEvent = 0x80000001u,
    kWindowEvent = 0x80000003u,
    kBindingEvent = 0x80000005u,
    kShutdownEvent = 0x80000006u,
};

constexpr bool IsEvent(std::uint32_t type) {
    return (type & 0x80000000u) != 0;
}

struct SwayMessage {
    std::uint32_t type = 0;
    std::string payload;
};

std::string EncodeSwayMessage(SwayMessageType type, std::string_view payload);

// Cuts the bytes read from the socket into messages, however the reads
// split them.
class SwayFrameReader {
public:
    void Append(const char* bytes, std::size_t count);
    // The next whole message; nothing until it has arrived whole.
    std::optional<SwayMessage> Next();
    // The stream does not start with the magic: the peer is no sway, or a
    // read was lost. Nothing more can be cut from it.
    bool Broken() const { return broken_; }

private:
    std::string buffer_;
    bool broken_ = false;
};

}  // namespace brumelis
