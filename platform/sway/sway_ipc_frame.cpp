#include "platform/sway/sway_ipc_frame.h"

#include <cstring>

namespace brumelis {

namespace {

constexpr std::string_view kMagic = "i3-ipc";
constexpr std::size_t kHeaderSize = kMagic.size() + 2 * sizeof(std::uint32_t);

void AppendNumber(std::string& out, std::uint32_t number) {
    char bytes[sizeof number];
    std::memcpy(bytes, &number, sizeof number);
    out.append(bytes, sizeof number);
}

std::uint32_t NumberAt(const std::string& in, std::size_t offset) {
    std::uint32_t number = 0;
    std::memcpy(&number, in.data() + offset, sizeof number);
    return number;
}

}  // namespace

std::string EncodeSwayMessage(SwayMessageType type, std::string_view payload) {
    std::string message(kMagic);
    AppendNumber(message, static_cast<std::uint32_t>(payload.size()));
    AppendNumber(message, static_cast<std::uint32_t>(type));
    message.append(payload);
    return message;
}

void SwayFrameReader::Append(const char* bytes, std::size_t count) {
    buffer_.append(bytes, count);
}

std::optional<SwayMessage> SwayFrameReader::Next() {
    if (broken_) return std::nullopt;
    const std::size_t checked = std::min(buffer_.size(), kMagic.size());
    if (buffer_.compare(0, checked, kMagic.substr(0, checked)) != 0) {
        broken_ = true;
        return std::nullopt;
    }
    if (buffer_.size() < kHeaderSize) return std::nullopt;
    const std::uint32_t length = NumberAt(buffer_, kMagic.size());
    if (buffer_.size() - kHeaderSize < length) return std::nullopt;
    SwayMessage message{NumberAt(buffer_, kMagic.size() + sizeof length),
                        buffer_.substr(kHeaderSize, length)};
    buffer_.erase(0, kHeaderSize + length);
    return message;
}

}  // namespace brumelis
