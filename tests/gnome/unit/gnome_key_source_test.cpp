// The GNOME key source against the extension's recorded answers and signals.
#include "platform/gnome/gnome_key_source.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/gnome/unit/recorded_traffic.h"

namespace brumelis {
namespace {

using testing::ReadTraffic;
using testing::RecordedBus;

const std::string kTakeKey = std::string(kExtensionPath) + " TakeKey";
constexpr KeyChord kPin{kSuperModifier | kControlModifier | kShiftModifier, LetterKey('A')};
constexpr KeyChord kPinInstead{kSuperModifier | kControlModifier | kAltModifier, LetterKey('A')};
constexpr KeyChord kMoreTransparent{kSuperModifier | kControlModifier | kShiftModifier,
                                    Key::PageDown};

struct Keys {
    explicit Keys(unsigned version = kInterfaceVersion) {
        auto bus = std::make_unique<RecordedBus>();
        shell = bus.get();
        shell->calls = &calls;
        link = std::make_unique<ShellLink>(std::move(bus), testing::kRecordedShell);
        source = std::make_unique<GnomeKeySource>(*link, version);
        source->OnPress([this](ShortcutId shortcut) { pressed.push_back(shortcut); });
    }
    std::vector<std::string> calls;
    std::vector<ShortcutId> pressed;
    RecordedBus* shell = nullptr;
    std::unique_ptr<ShellLink> link;
    std::unique_ptr<GnomeKeySource> source;
};

TEST(GnomeKeySource, AsksForEachChordByItsAcceleratorAndReadsTheAnswer) {
    Keys keys;
    const auto messages = ReadTraffic("keys.txt");
    struct Case {
        std::string reply;
        std::int32_t shortcut;
        KeyChord chord;
        TakeAnswer expected;
        std::string asked;
    };
    const Case cases[] = {
        {"error:" + messages.at(0).text, 1, kPin, TakeAnswer::kTakenByOther,
         "(uint32 1, '<Super><Control><Shift>a')"},
        {messages.at(1).text, 1, kPinInstead, TakeAnswer::kTaken,
         "(uint32 1, '<Super><Control><Alt>a')"},
        {messages.at(1).text, 2, kMoreTransparent, TakeAnswer::kTaken,
         "(uint32 2, '<Super><Control><Shift>Page_Down')"},
        {"error:org.freedesktop.DBus.Error.AccessDenied",
         4,
         {kSuperModifier, Key::Home},
         TakeAnswer::kUnsupported,
         "(uint32 4, '<Super>Home')"},
    };
    for (const Case& c : cases) {
        keys.shell->replies[kTakeKey] = c.reply;
        EXPECT_EQ(keys.source->Take(ShortcutId{c.shortcut}, c.chord), c.expected) << c.asked;
        EXPECT_EQ(keys.calls.back(), kTakeKey + " " + c.asked);
    }
}

TEST(GnomeKeySource, OnlyTheShellsSignalsOfKeysTakenArePresses) {
    Keys keys;
    const auto messages = ReadTraffic("keys.txt");
    keys.shell->replies[kTakeKey] = messages.at(1).text;
    ASSERT_EQ(keys.source->Take(ShortcutId{2}, kMoreTransparent), TakeAnswer::kTaken);
    EmitSignal(*keys.shell, messages.at(2));          // 1: not taken here
    EmitSignal(*keys.shell, messages.at(3), ":1.9");  // from another program
    EXPECT_TRUE(keys.pressed.empty());
    EmitSignal(*keys.shell, messages.at(3));
    EXPECT_EQ(keys.pressed, std::vector<ShortcutId>{ShortcutId{2}});
}

TEST(GnomeKeySource, AnOlderExtensionIsAskedNothing) {
    Keys keys(2);
    EXPECT_EQ(keys.source->Take(ShortcutId{1}, kPin), TakeAnswer::kUnsupported);
    EXPECT_TRUE(keys.calls.empty());
}

TEST(GnomeKeySource, TheExtensionBackAfterTheLockIsAskedForTheKeysAgain) {
    Keys keys;
    keys.shell->replies[kTakeKey] = "()";
    ASSERT_EQ(keys.source->Take(ShortcutId{2}, kMoreTransparent), TakeAnswer::kTaken);
    const auto lock = ReadTraffic("lock-unlock.txt");
    EmitSignal(*keys.shell, lock.at(1));  // disabled
    EXPECT_TRUE(keys.shell->later.empty());
    EmitSignal(*keys.shell, lock.at(2));  // enabled again
    ASSERT_EQ(keys.shell->later.size(), 1u);
    EXPECT_EQ(keys.shell->later[0].method + " " + keys.shell->later[0].values,
              "TakeKey (uint32 2, '<Super><Control><Shift>Page_Down')");
}

}  // namespace
}  // namespace brumelis
