// The GNOME window system fed the extension's recorded signals.
#include "platform/gnome/gnome_window_system.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/gnome/unit/recorded_traffic.h"

namespace brumelis {
namespace {

using testing::ReadTraffic;
using testing::RecordedBus;
using testing::RecordedMessage;

const std::string kKeepAbove = std::string(kExtensionPath) + " KeepAbove";

struct Followed {
    explicit Followed(const char* traffic = "two-windows.txt") : messages(ReadTraffic(traffic)) {
        auto bus = std::make_unique<RecordedBus>();
        shell = bus.get();
        shell->calls = &calls;
        shell->replies[kKeepAbove] = "()";
        GVariant* start = messages.at(0).Values();
        const auto focus = ReadShellFocus(start);
        g_variant_unref(start);
        auto link = std::make_unique<ShellLink>(std::move(bus), testing::kRecordedShell);
        windows = std::make_unique<GnomeWindowSystem>(std::move(link), focus.value());
        windows->WatchMoves(2, [this] { ++moves; });
    }
    void Deliver(std::size_t index) { EmitSignal(*shell, messages.at(index)); }

    std::vector<RecordedMessage> messages;
    std::vector<std::string> calls;
    RecordedBus* shell = nullptr;
    std::unique_ptr<GnomeWindowSystem> windows;
    int moves = 0;
};

bool FrameIs(const std::optional<ScreenRect>& frame, ScreenRect expected) {
    return frame && frame->left == expected.left && frame->top == expected.top &&
           frame->right == expected.right && frame->bottom == expected.bottom;
}

TEST(GnomeWindowSystem, FollowsTheRecordedSignalsWithoutAskingAnything) {
    Followed session;
    EXPECT_EQ(session.windows->ForegroundWindow(), 2);
    EXPECT_TRUE(FrameIs(session.windows->VisibleFrame(2), {38, 62, 438, 399}));
    session.Deliver(1);  // window 2 moved
    EXPECT_TRUE(FrameIs(session.windows->VisibleFrame(2), {200, 150, 600, 487}));
    EXPECT_EQ(session.moves, 1);
    session.Deliver(2);  // window 4 focused
    EXPECT_EQ(session.windows->ForegroundWindow(), 4);
    EXPECT_FALSE(session.windows->VisibleFrame(2));
    session.Deliver(3);  // window 4 moved: not the watched one
    EXPECT_TRUE(FrameIs(session.windows->VisibleFrame(4), {300, 250, 700, 587}));
    EXPECT_EQ(session.moves, 1);
    session.Deliver(4);  // window 4 closed, 2 focused again
    EXPECT_EQ(session.windows->ForegroundWindow(), 2);
    EXPECT_TRUE(FrameIs(session.windows->VisibleFrame(2), {200, 150, 600, 487}));
    // Every tick reads the cache: not one message on the bus.
    for (int tick = 0; tick < 100; ++tick) {
        session.windows->ForegroundWindow();
        session.windows->VisibleFrame(2);
    }
    EXPECT_EQ(session.shell->MessagesSent(), 0u);
}

// Xwayland's screen against the Shell's stage (1280 x 800 logical pixels),
// as measured on Shell 43 and 50.
TEST(GnomeWindowSystem, ScalesFramesToXwaylandsPixels) {
    const struct {
        StageSize stage;
        int x11Width, x11Height, scale;
    } cases[] = {
        {{1280, 800}, 1280, 800, 1},   // 100 %, or Shell 43 at any scale
        {{1280, 800}, 2560, 1600, 2},  // Shell 50 at 200 % and at 125 %
        {{1280, 800}, 3840, 2400, 3}, {{2560, 1600}, 2560, 1600, 1},  // Mutter's physical layout
        {{1280, 800}, 1600, 1000, 1},                                 // no whole factor
        {{1280, 800}, 2560, 800, 1},                                  // the two sides disagree
        {{0, 0}, 2560, 1600, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(X11ScaleOf(c.stage, c.x11Width, c.x11Height), c.scale) << c.x11Width;
    }
    Followed session;
    session.windows->UseX11Scale(2);
    EXPECT_TRUE(FrameIs(session.windows->VisibleFrame(2), {76, 124, 876, 798}));
}

TEST(GnomeWindowSystem, IgnoresASignalOfAWindowClosedMeanwhile) {
    Followed session;
    session.Deliver(2);  // window 4 focused
    session.Deliver(4);  // ...closed before its move was heard
    session.Deliver(3);  // the late move of window 4
    EXPECT_EQ(session.windows->ForegroundWindow(), 2);
    EXPECT_FALSE(session.windows->VisibleFrame(4));
    EXPECT_TRUE(FrameIs(session.windows->VisibleFrame(2), {200, 150, 600, 487}));
}

// Another connection's signal, even on the extension's interface, is not
// the extension's word.
TEST(GnomeWindowSystem, HearsTheShellAlone) {
    Followed session;
    EmitSignal(*session.shell, session.messages.at(2), ":1.9");  // window 4 focused
    EXPECT_EQ(session.windows->ForegroundWindow(), 2);
    session.Deliver(2);
    EXPECT_EQ(session.windows->ForegroundWindow(), 4);
}

TEST(GnomeWindowSystem, KeepsOneOpacityInFlightAndSendsTheLatest) {
    Followed session;
    for (const std::uint8_t opacity : {std::uint8_t{200}, std::uint8_t{150}, std::uint8_t{100}}) {
        EXPECT_EQ(session.windows->SetOpacity(2, opacity), ChangeAnswer::kAccepted);
    }
    ASSERT_EQ(session.shell->later.size(), 1u);
    EXPECT_EQ(session.shell->later[0].values, "(uint32 2, byte 0xc8)");
    session.shell->later[0].reply(g_variant_new("()"));
    ASSERT_EQ(session.shell->later.size(), 2u);
    EXPECT_EQ(session.shell->later[1].values, "(uint32 2, byte 0x64)");
}

TEST(GnomeWindowSystem, AsksNothingForAWindowThatIsNotFocused) {
    Followed session;
    session.Deliver(2);  // window 4 focused
    EXPECT_EQ(session.windows->KeepAbove(2, true), ChangeAnswer::kNotNow);
    EXPECT_EQ(session.windows->SetOpacity(2, 100), ChangeAnswer::kNotNow);
    session.windows->Activate(2);
    EXPECT_TRUE(session.calls.empty());
    session.windows->KeepAbove(4, true);
    session.windows->Activate(4);
    EXPECT_EQ(session.calls,
              (std::vector<std::string>{kKeepAbove + " (uint32 4, true)",
                                        std::string(kExtensionPath) + " Activate (uint32 4,)"}));
}

// Keep above says what the extension did; an extension gone is sent nothing
// more until it is back.
TEST(GnomeWindowSystem, KeepAboveAnswersWhatTheExtensionDid) {
    for (const std::string error : {"", "example.zolvec.Brumelis1.Error.NotFocused",
                                    "org.freedesktop.DBus.Error.UnknownMethod"}) {
        Followed session;
        if (!error.empty()) session.shell->replies[kKeepAbove] = "error:" + error;
        EXPECT_EQ(session.windows->KeepAbove(2, true),
                  error.empty() ? ChangeAnswer::kAccepted : ChangeAnswer::kNotNow);
        EXPECT_EQ(session.windows->Served(), error.find("Unknown") == std::string::npos);
    }
}

// Locked: every change is "not possible now", nothing is kept for later, the
// tile stays. Unlocked: asked to follow at once (a stale answer not taken).
TEST(GnomeWindowSystem, AnOffExtensionIsFollowedAgainAsSoonAsItIsBack) {
    Followed session("lock-unlock.txt");
    session.windows->SetOpacity(2, 200);
    session.windows->SetOpacity(2, 100);  // kept until the first is answered
    session.Deliver(1);
    EXPECT_EQ(session.windows->KeepAbove(2, true), ChangeAnswer::kNotNow);
    EXPECT_EQ(session.windows->SetOpacity(2, 50), ChangeAnswer::kNotNow);
    session.shell->later.at(0).reply(nullptr);
    ASSERT_EQ(session.shell->later.size(), 1u) << "no opacity kept for later";
    EXPECT_EQ(session.windows->ForegroundWindow(), 2);
    for (const std::size_t change : {2, 1, 2}) session.Deliver(change);
    ASSERT_EQ(session.shell->later.at(1).method + session.shell->later.at(2).method,
              "FollowFollow");
    GVariant* focus = session.messages.at(3).Values();
    session.shell->later.at(1).reply(focus);
    EXPECT_FALSE(session.windows->Served());
    session.shell->later.at(2).reply(focus);
    g_variant_unref(focus);
    EXPECT_EQ(session.windows->ForegroundWindow(), 4);
    EXPECT_EQ(session.windows->SetOpacity(4, 90), ChangeAnswer::kAccepted);
}

}  // namespace
}  // namespace brumelis
