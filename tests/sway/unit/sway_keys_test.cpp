// The toolbar's keys on sway against a scripted socket: the bindings added,
// kept through a reload and a new connection, removed at the end; presses
// told by the binding event; chords the configuration binds left to it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "platform/sway/sway_window_system.h"
#include "tests/support/wait.h"
#include "tests/sway/unit/recorded_replies.h"
#include "tests/sway/unit/scripted_sway.h"

namespace brumelis::sway_tests {
namespace {

constexpr KeyChord kPin{kSuperModifier | kControlModifier | kShiftModifier, LetterKey('A')};
constexpr KeyChord kOpaque{kSuperModifier | kControlModifier | kShiftModifier, Key::Home};
const std::string kTag = "brumelis-" + std::to_string(getpid());

bool RunUntil(const std::function<bool()>& condition) {
    return test_support::WaitUntil(condition, std::chrono::milliseconds(2000), [] {
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(1000);
    });
}

class SwayKeysTest : public testing::Test {
protected:
    void Connect(const std::string& config) {
        sway_.SetConfig(config);
        windows_ = SwayWindowSystem::Connect(sway_.Path());
        ASSERT_TRUE(windows_);
        windows_->Keys().OnPress([this](ShortcutId id) { pressed_.push_back(int(id)); });
    }
    std::vector<std::string> Commands() { return sway_.Received(SwayMessageType::kRunCommand); }
    // The recorded event, as if the command were `command`.
    void Press(const std::string& command) {
        auto event = nlohmann::json::parse(RecordedReply("event-binding"));
        event["binding"]["command"] = command;
        sway_.SendEvent(SwayMessageType::kBindingEvent, event.dump());
    }

    ScriptedSway sway_{RecordedReply("tiled")};
    std::unique_ptr<SwayWindowSystem> windows_;
    std::vector<int> pressed_;
};

TEST_F(SwayKeysTest, EachChordIsANopBindingOfOursAndItsEventAPress) {
    Connect("");
    ASSERT_EQ(windows_->Keys().Take(ShortcutId{1}, kPin), TakeAnswer::kTaken);
    ASSERT_EQ(windows_->Keys().Take(ShortcutId{4}, kOpaque), TakeAnswer::kTaken);
    const std::string pin = "bindsym --no-repeat Mod4+Ctrl+Shift+a nop " + kTag + " 1";
    EXPECT_EQ(Commands(), (std::vector<std::string>{
                              pin, "bindsym --no-repeat Mod4+Ctrl+Shift+Home nop " + kTag + " 4"}));
    Press("nop brumelis-1 4");  // another copy's
    Press("nop " + kTag + " 4");
    ASSERT_TRUE(RunUntil([&] { return !pressed_.empty(); }));
    EXPECT_EQ(pressed_, std::vector<int>{4});

    sway_.SendEvent(SwayMessageType::kWorkspaceEvent, R"({"change":"reload"})");
    ASSERT_TRUE(RunUntil([&] { return Commands().size() == 4u; })) << "bound again";
    EXPECT_EQ(Commands()[2], pin);
    sway_.DropClient();
    ASSERT_TRUE(RunUntil([&] { return Commands().size() == 6u; })) << "bound on the new one";
    EXPECT_EQ(Commands()[4], pin);
    windows_.reset();
    EXPECT_EQ(Commands()[6], "unbindsym Mod4+Ctrl+Shift+a");
    EXPECT_EQ(Commands().back(), "unbindsym Mod4+Ctrl+Shift+Home");
}

// The chord of another mode binds nothing where the toolbar's keys act.
TEST_F(SwayKeysTest, AChordTheConfigurationBindsIsHeldAndLeftToIt) {
    const std::string included = testing::TempDir() + "sway-keys.conf";
    FILE* file = std::fopen(included.c_str(), "w");
    ASSERT_TRUE(file);
    std::fputs("bindsym --to-code $mod+Control+Shift+Home exec true\n", file);
    std::fclose(file);
    Connect(
        "set $mod Mod4\nbindsym {\n  $mod+Ctrl+Shift+A exec true\n}\n"
        "mode \"resize\" {\n  bindsym $mod+Ctrl+Mod1+a nop\n}\ninclude " +
        included + "\n");
    EXPECT_EQ(windows_->Keys().Take(ShortcutId{1}, kPin), TakeAnswer::kTakenByOther);
    EXPECT_EQ(windows_->Keys().Take(ShortcutId{4}, kOpaque), TakeAnswer::kTakenByOther);
    EXPECT_EQ(windows_->Keys().Take(ShortcutId{1}, {kPin.modifiers ^ 12, kPin.key}),
              TakeAnswer::kTaken);
    EXPECT_EQ(Commands(),
              std::vector<std::string>{"bindsym --no-repeat Mod4+Ctrl+Mod1+a nop " + kTag + " 1"});
}

}  // namespace
}  // namespace brumelis::sway_tests
