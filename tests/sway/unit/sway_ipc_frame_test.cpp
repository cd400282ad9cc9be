// sway's framed messages, however the socket's reads cut them.
#include <gtest/gtest.h>

#include "platform/sway/sway_ipc_frame.h"

namespace brumelis {
namespace {

TEST(SwayFrames, MessagesComeBackWholeWhateverTheReadsSizes) {
    const std::string stream = EncodeSwayMessage(SwayMessageType::kGetTree, "") +
                               EncodeSwayMessage(SwayMessageType::kRunCommand, "focus") +
                               EncodeSwayMessage(SwayMessageType::kWindowEvent, "{\"a\":1}");
    for (std::size_t piece : {std::size_t{1}, std::size_t{5}, std::size_t{14}, stream.size()}) {
        SwayFrameReader reader;
        std::vector<SwayMessage> messages;
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            reader.Append(stream.data() + at, std::min(piece, stream.size() - at));
            while (auto message = reader.Next()) messages.push_back(*message);
        }
        ASSERT_EQ(messages.size(), 3u) << "reads of " << piece;
        EXPECT_EQ(messages[0].type, 4u);
        EXPECT_EQ(messages[0].payload, "");
        EXPECT_EQ(messages[1].payload, "focus");
        EXPECT_TRUE(IsEvent(messages[2].type));
        EXPECT_EQ(messages[2].payload, "{\"a\":1}");
        EXPECT_FALSE(reader.Broken());
    }
}

TEST(SwayFrames, AStreamWithoutTheMagicIsBroken) {
    SwayFrameReader reader;
    reader.Append("HTTP/1.1 200", 12);
    EXPECT_FALSE(reader.Next());
    EXPECT_TRUE(reader.Broken());
}

}  // namespace
}  // namespace brumelis
