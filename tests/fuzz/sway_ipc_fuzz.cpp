// sway's IPC stream as the program reads it: the bytes cut into messages
// however the reads split them (the first byte sets the read size), each
// payload parsed as its type says. A message read encodes back to itself.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/sway/sway_ipc_frame.h"
#include "platform/sway/sway_tree.h"

namespace {

void Parse(const brumelis::SwayMessage& message) {
    using brumelis::SwayMessageType;
    switch (static_cast<SwayMessageType>(message.type)) {
        case SwayMessageType::kGetTree: brumelis::ParseSwayTree(message.payload); break;
        case SwayMessageType::kWindowEvent: brumelis::ParseSwayWindowEvent(message.payload); break;
        case SwayMessageType::kRunCommand: brumelis::SwayCommandSucceeded(message.payload); break;
        default: break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t chunk = data[0] + 1u;
    brumelis::SwayFrameReader reader;
    for (std::size_t at = 1; at < size && !reader.Broken(); at += chunk) {
        reader.Append(reinterpret_cast<const char*>(data) + at, std::min(chunk, size - at));
        while (const auto message = reader.Next()) {
            Parse(*message);
            brumelis::SwayFrameReader again;
            const std::string bytes = brumelis::EncodeSwayMessage(
                static_cast<brumelis::SwayMessageType>(message->type), message->payload);
            again.Append(bytes.data(), bytes.size());
            const auto read = again.Next();
            if (!read || read->type != message->type || read->payload != message->payload)
                std::abort();
        }
    }
    return 0;
}
