// The GNOME key source against the extension's recorded answers and signals.
#include "platform/gnome/gnome_key_source.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/gnome/unit/recorded_traffic.h"

namespace brumelis {
namespace {

const std::string kTakeKey = std::string(kExtensionPath) + " TakeKey";
const auto kTraffic = testing::ReadTraffic("keys.txt");  // held, taken, Key 1, Key 2
constexpr unsigned kSuperCtrl = kSuperModifier | kControlModifier;

struct Keys {
    explicit Keys(unsigned version = kInterfaceVersion) : link(MakeBus(), testing::kRecordedShell) {
        source = std::make_unique<GnomeKeySource>(link, version);
        source->OnPress([this](ShortcutId shortcut) { pressed.push_back(shortcut); });
    }
    std::unique_ptr<testing::RecordedBus> MakeBus() {
        auto bus = std::make_unique<testing::RecordedBus>();
        (shell = bus.get())->calls = &calls;
        return bus;
    }
    TakeAnswer Take(const std::string& reply, std::int32_t shortcut, const KeyChord& chord) {
        shell->replies[kTakeKey] = reply;
        return source->Take(ShortcutId{shortcut}, chord);
    }
    std::vector<std::string> calls;
    std::vector<ShortcutId> pressed;
    testing::RecordedBus* shell = nullptr;
    ShellLink link;
    std::unique_ptr<GnomeKeySource> source;
};

TEST(GnomeKeySource, AsksForEachChordByItsAcceleratorAndReadsTheAnswer) {
    Keys keys;
    EXPECT_EQ(
        keys.Take("error:" + kTraffic.at(0).text, 1, {kSuperCtrl | kShiftModifier, LetterKey('A')}),
        TakeAnswer::kTakenByOther);
    EXPECT_EQ(keys.Take(kTraffic.at(1).text, 1, {kSuperCtrl | kAltModifier, LetterKey('A')}),
              TakeAnswer::kTaken);
    EXPECT_EQ(keys.Take(kTraffic.at(1).text, 2, {kSuperCtrl | kShiftModifier, Key::PageDown}),
              TakeAnswer::kTaken);
    EXPECT_EQ(
        keys.Take("error:org.freedesktop.DBus.Error.AccessDenied", 4, {kSuperModifier, Key::Home}),
        TakeAnswer::kUnsupported);
    EXPECT_EQ(keys.calls, (std::vector<std::string>{
                              kTakeKey + " (uint32 1, '<Super><Control><Shift>a')",
                              kTakeKey + " (uint32 1, '<Super><Control><Alt>a')",
                              kTakeKey + " (uint32 2, '<Super><Control><Shift>Page_Down')",
                              kTakeKey + " (uint32 4, '<Super>Home')"}));
    Keys older(2);
    EXPECT_EQ(older.Take("()", 1, {kSuperCtrl, Key::Home}), TakeAnswer::kUnsupported);
    EXPECT_TRUE(older.calls.empty()) << "an older extension has no TakeKey";
}

TEST(GnomeKeySource, OnlyTheShellsSignalsOfKeysTakenArePressesAndTheyAreTakenAgain) {
    Keys keys;
    ASSERT_EQ(keys.Take("()", 2, {kSuperCtrl | kShiftModifier, Key::PageDown}), TakeAnswer::kTaken);
    EmitSignal(*keys.shell, kTraffic.at(2));          // 1: not taken here
    EmitSignal(*keys.shell, kTraffic.at(3), ":1.9");  // from another program
    EmitSignal(*keys.shell, kTraffic.at(3));
    EXPECT_EQ(keys.pressed, std::vector<ShortcutId>{ShortcutId{2}});
    const auto lock = testing::ReadTraffic("lock-unlock.txt");
    EmitSignal(*keys.shell, lock.at(1));  // disabled, then enabled again
    EmitSignal(*keys.shell, lock.at(2));
    ASSERT_EQ(keys.shell->later.size(), 1u);
    EXPECT_EQ(keys.shell->later[0].method + " " + keys.shell->later[0].values,
              "TakeKey (uint32 2, '<Super><Control><Shift>Page_Down')");
}

}  // namespace
}  // namespace brumelis
