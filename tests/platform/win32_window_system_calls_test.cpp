// The user32 sequences behind each operation of the Win32 window system,
// recorded call by call: the same calls, in the same order, with the same
// arguments, whatever the core above them becomes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/win32_support.h"
#include "platform/win32/win32_window_system.h"
#include "tests/platform/win32_recorded_calls.h"

namespace brumelis::platform_tests {
namespace {

const std::vector<std::string> kRightsRead = {"GetWindowThreadProcessId(1234)",
                                              "OpenProcessToken(this process, 0x8)",
                                              "GetTokenInformation(our token, 25)",
                                              "CloseHandle(60)",
                                              "OpenProcess(0x1000, 0, 66)",
                                              "OpenProcessToken(its process, 0x8)",
                                              "GetTokenInformation(its token, 25)",
                                              "CloseHandle(61)",
                                              "CloseHandle(50)"};

struct SequenceRow {
    const char* operation;
    std::function<void(Script&)> arrange;
    std::function<void(WindowSystem&)> act;
    std::vector<std::string> calls;
};

void PrintTo(const SequenceRow& row, std::ostream* out) {
    *out << row.operation;
}

class Win32CallSequence : public ::testing::TestWithParam<SequenceRow> {};

TEST_P(Win32CallSequence, MakesExactlyTheseCalls) {
    script = Script{};
    if (GetParam().arrange) GetParam().arrange(script);
    Win32WindowSystem windows(Recorders());
    GetParam().act(windows);
    EXPECT_EQ(GetParam().calls, script.calls);
}

// What the first change of a window reads before it: this program's
// integrity level (once for all) and the window's process's.
std::vector<std::string> AfterRights(std::vector<std::string> calls) {
    std::vector<std::string> all = kRightsRead;
    all.insert(all.end(), calls.begin(), calls.end());
    return all;
}

void NotLayered(Script& s) {
    s.exStyle = 0x300;
}
void Layered(Script& s) {
    s.exStyle = 0x80300;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Win32CallSequence,
    ::testing::Values(
        SequenceRow{"the foreground window",
                    nullptr,
                    [](WindowSystem& w) { w.ForegroundWindow(); },
                    {"GetForegroundWindow()"}},
        SequenceRow{"the visible frame without a compositor: the rectangle",
                    nullptr,
                    [](WindowSystem& w) { EXPECT_EQ(3, w.VisibleFrame(kWindow)->right); },
                    {"DwmGetWindowAttribute(1234, 9, 16)", "GetWindowRect(1234)"}},
        SequenceRow{"no frame and no rectangle",
                    [](Script& s) { s.rectKnown = FALSE; },
                    [](WindowSystem& w) { EXPECT_FALSE(w.VisibleFrame(kWindow)); },
                    {"DwmGetWindowAttribute(1234, 9, 16)", "GetWindowRect(1234)"}},
        // Without waiting for the window's thread: SWP_ASYNCWINDOWPOS.
        SequenceRow{
            "keep above", nullptr,
            [](WindowSystem& w) { EXPECT_EQ(ChangeAnswer::kAccepted, w.KeepAbove(kWindow, true)); },
            AfterRights({"SetWindowPos(1234, -1, 0, 0, 0, 0, 0x4053)"})},
        SequenceRow{"no longer above", nullptr,
                    [](WindowSystem& w) { w.KeepAbove(kWindow, false); },
                    AfterRights({"SetWindowPos(1234, -2, 0, 0, 0, 0, 0x4053)"})},
        // The style write waits even when it changes nothing: it goes to a
        // worker, and only when the window is not layered yet.
        SequenceRow{
            "opacity on a window not yet layered keeps its other bits", &NotLayered,
            [](WindowSystem& w) { w.SetOpacity(kWindow, 128); },
            AfterRights({"GetWindowLongA(1234, -20)", "SetExtendedStyleLater(1234, 0x80300)",
                         "SetLayeredWindowAttributes(1234, 0, 128, 2)"})},
        SequenceRow{"opacity on a layered window: no style write", &Layered,
                    [](WindowSystem& w) { w.SetOpacity(kWindow, 0); },
                    AfterRights({"GetWindowLongA(1234, -20)", "GetLayeredWindowAttributes(1234)",
                                 "SetLayeredWindowAttributes(1234, 0, 0, 2)"})},
        SequenceRow{"activate",
                    nullptr,
                    [](WindowSystem& w) { w.Activate(kWindow); },
                    {"SetActiveWindow(1234)"}},
        // Each title read as the window is met, before the next is asked.
        SequenceRow{
            "the top-level windows and their titles",
            [](Script& s) { s.title = "Bloc-notes"; },
            [](WindowSystem& w) {
                const auto listed = w.TopLevelWindows(kWindow, 118);
                ASSERT_EQ(1u, listed.size());
                EXPECT_EQ(0x5678, listed[0].window);
                EXPECT_EQ(u"Bloc-notes", listed[0].title);
            },
            {"GetWindow(1234, 0)", "GetWindowTextA(5678, 255 spaces, 119)", "GetWindow(5678, 2)"}},
        SequenceRow{
            "a title query that writes nothing",
            nullptr,
            [](WindowSystem& w) {
                EXPECT_EQ(std::nullopt, w.TopLevelWindows(kWindow, 118).at(0).title);
            },
            {"GetWindow(1234, 0)", "GetWindowTextA(5678, 255 spaces, 119)", "GetWindow(5678, 2)"}},
        // On the window's thread only, out of context, not our own windows:
        // move and size loop, minimise, location.
        SequenceRow{
            "watching a window's moves",
            nullptr,
            [](WindowSystem& w) { w.WatchMoves(kWindow, [] {}); },
            {"GetWindowThreadProcessId(1234)", "SetWinEventHook(0xa, 0xb, no module, 66, 77, 2)",
             "SetWinEventHook(0x16, 0x17, no module, 66, 77, 2)",
             "SetWinEventHook(0x800b, 0x800b, no module, 66, 77, 2)"}}));

// The thread's other windows and objects report to the same hooks: only the
// watched window's frame counts (the first event). The hooks go at the end.
TEST(Win32WatchMoves, CallsBackForTheWatchedWindowsFrameOnlyAndUnhooksAtTheEnd) {
    script = Script{};
    int moves = 0;
    {
        Win32WindowSystem windows(Recorders());
        windows.WatchMoves(0x999, [&] { ++moves; });
        windows.WatchMoves(kWindow, [&] { ++moves; });
        const std::tuple<WindowHandle, LONG, LONG> events[] = {
            {kWindow, OBJID_WINDOW, CHILDID_SELF},
            {kWindow, OBJID_CARET, CHILDID_SELF},
            {kWindow, OBJID_WINDOW, 3},
            {0x999, OBJID_WINDOW, CHILDID_SELF},
            {0x4321, OBJID_WINDOW, CHILDID_SELF}};
        for (const auto& [window, object, child] : events)
            script.hookProcedure(nullptr, EVENT_OBJECT_LOCATIONCHANGE, ToHwnd(window), object,
                                 child, 0x77, 0);
        script.calls.clear();
    }
    EXPECT_EQ(1, moves);
    EXPECT_EQ(3u, script.calls.size()) << "three hooks removed";
}

}  // namespace
}  // namespace brumelis::platform_tests
