// The user32 sequences behind each operation of the Win32 window system,
// recorded call by call: the same calls, in the same order, with the same
// arguments, whatever the core above them becomes.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/win32_support.h"
#include "platform/win32/win32_window_system.h"

namespace brumelis::platform_tests {
namespace {

// What the recorders answer, and what they saw.
struct Script {
    LONG exStyle = 0;
    bool frameKnown = false;
    BOOL rectKnown = TRUE;
    const char* title = nullptr;  // nullptr: the query writes nothing
    WINEVENTPROC hookProcedure = nullptr;
    std::vector<std::string> calls;
};
Script script;

constexpr WindowHandle kWindow = 0x1234;

void Record(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Record(const char* format, ...) {
    char line[160];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    script.calls.emplace_back(line);
}

long H(HWND hwnd) {
    return HandleToLong(hwnd);
}

HWND WINAPI GetForeground() {
    Record("GetForegroundWindow()");
    return ToHwnd(kWindow);
}
BOOL WINAPI GetRect(HWND w, RECT* rect) {
    Record("GetWindowRect(%lx)", H(w));
    *rect = RECT{1, 2, 3, 4};
    return script.rectKnown;
}
bool GetFrame(HWND w, ScreenRect& frame) {
    Record("VisibleFrame(%lx)", H(w));
    if (script.frameKnown) frame = ScreenRect{5, 6, 7, 8};
    return script.frameKnown;
}
HWND WINAPI GetNext(HWND w, UINT command) {
    Record("GetWindow(%lx, %u)", H(w), command);
    // One window in the level: the first, and nothing after it.
    return command == GW_HWNDFIRST ? ToHwnd(0x5678) : nullptr;
}
int WINAPI GetText(HWND w, LPSTR buffer, int count) {
    const bool untouched = std::string(buffer, 255).find_first_not_of(' ') == std::string::npos;
    Record("GetWindowTextA(%lx, %s, %d)", H(w), untouched ? "255 spaces" : "?", count);
    if (script.title == nullptr) return 0;
    std::strcpy(buffer, script.title);
    return static_cast<int>(std::strlen(script.title));
}
LONG WINAPI GetLong(HWND w, int index) {
    Record("GetWindowLongA(%lx, %d)", H(w), index);
    return script.exStyle;
}
void SetStyleLater(HWND w, LONG style) {
    Record("SetExtendedStyleLater(%lx, %#lx)", H(w), style);
}
BOOL SetLayered(HWND w, COLORREF key, BYTE alpha, DWORD flags) {
    Record("SetLayeredWindowAttributes(%lx, %lu, %u, %lu)", H(w), key, alpha, flags);
    return TRUE;
}
BOOL WINAPI SetPos(HWND w, HWND after, int x, int y, int cx, int cy, UINT flags) {
    Record("SetWindowPos(%lx, %ld, %d, %d, %d, %d, %#x)", H(w), H(after), x, y, cx, cy, flags);
    return TRUE;
}
HWND WINAPI SetActive(HWND w) {
    Record("SetActiveWindow(%lx)", H(w));
    return nullptr;
}

DWORD WINAPI GetThread(HWND w, DWORD* process) {
    Record("GetWindowThreadProcessId(%lx)", H(w));
    *process = 0x66;
    return 0x77;
}
HWINEVENTHOOK WINAPI SetHook(DWORD first, DWORD last, HMODULE module, WINEVENTPROC procedure,
                             DWORD process, DWORD thread, DWORD flags) {
    Record("SetWinEventHook(%#lx, %#lx, %s, %lx, %lx, %lu)", first, last,
           module == nullptr ? "no module" : "a module", process, thread, flags);
    script.hookProcedure = procedure;
    return reinterpret_cast<HWINEVENTHOOK>(static_cast<INT_PTR>(0x100 + script.calls.size()));
}
BOOL WINAPI Unhook(HWINEVENTHOOK hook) {
    Record("UnhookWinEvent(%lx)", static_cast<long>(reinterpret_cast<INT_PTR>(hook)));
    return TRUE;
}

const User32Calls kRecorders{&GetForeground, &GetRect,       &GetFrame,   &GetNext, &GetText,
                             &GetLong,       &SetStyleLater, &SetLayered, &SetPos,  &SetActive,
                             &GetThread,     &SetHook,       &Unhook};

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
    Win32WindowSystem windows(kRecorders);
    GetParam().act(windows);
    EXPECT_EQ(GetParam().calls, script.calls);
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
        SequenceRow{"the visible frame, from the compositor",
                    [](Script& s) { s.frameKnown = true; },
                    [](WindowSystem& w) { EXPECT_EQ(7, w.VisibleFrame(kWindow)->right); },
                    {"VisibleFrame(1234)"}},
        SequenceRow{"the visible frame without a compositor: the rectangle",
                    nullptr,
                    [](WindowSystem& w) { EXPECT_EQ(3, w.VisibleFrame(kWindow)->right); },
                    {"VisibleFrame(1234)", "GetWindowRect(1234)"}},
        SequenceRow{"no frame and no rectangle",
                    [](Script& s) { s.rectKnown = FALSE; },
                    [](WindowSystem& w) { EXPECT_FALSE(w.VisibleFrame(kWindow)); },
                    {"VisibleFrame(1234)", "GetWindowRect(1234)"}},
        // Without waiting for the window's thread: SWP_ASYNCWINDOWPOS.
        SequenceRow{
            "keep above",
            nullptr,
            [](WindowSystem& w) { EXPECT_EQ(ChangeAnswer::kAccepted, w.KeepAbove(kWindow, true)); },
            {"SetWindowPos(1234, -1, 0, 0, 0, 0, 0x4053)"}},
        SequenceRow{"no longer above",
                    nullptr,
                    [](WindowSystem& w) { w.KeepAbove(kWindow, false); },
                    {"SetWindowPos(1234, -2, 0, 0, 0, 0, 0x4053)"}},
        // The style write waits even when it changes nothing: it goes to a
        // worker, and only when the window is not layered yet.
        SequenceRow{"opacity on a window not yet layered keeps its other bits",
                    &NotLayered,
                    [](WindowSystem& w) { w.SetOpacity(kWindow, 128); },
                    {"GetWindowLongA(1234, -20)", "SetExtendedStyleLater(1234, 0x80300)",
                     "SetLayeredWindowAttributes(1234, 0, 128, 2)"}},
        SequenceRow{"opacity on a layered window: no style write",
                    &Layered,
                    [](WindowSystem& w) { w.SetOpacity(kWindow, 0); },
                    {"GetWindowLongA(1234, -20)", "SetLayeredWindowAttributes(1234, 0, 0, 2)"}},
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
        Win32WindowSystem windows(kRecorders);
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
