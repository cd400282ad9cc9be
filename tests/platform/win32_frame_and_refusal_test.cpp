// What the Win32 window system reads and answers where Wine cannot show it:
// the compositor's frame at other scales, and the windows Windows protects
// or that draw themselves. Over the recorded calls (win32_recorded_calls.h).
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_window_system.h"
#include "tests/platform/win32_recorded_calls.h"

namespace brumelis::platform_tests {
namespace {

// The compositor's frame in physical pixels against the rectangle as this
// program reads it: per-monitor aware, both are physical and the frame is
// the answer; seen by a program left system aware, only the borders are
// taken, scaled.
struct FrameCase {
    const char* situation;
    RECT rect;
    std::optional<RECT> physical;
    RECT compositor;
    ScreenRect expected;
};

class Win32VisibleFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(Win32VisibleFrame, IsTheCompositorsFrameInTheCallersPixels) {
    script = Script{};
    script.rect = GetParam().rect;
    script.physicalRect = GetParam().physical;
    script.compositorFrame = GetParam().compositor;
    Win32WindowSystem windows(Recorders());
    const std::optional<ScreenRect> frame = windows.VisibleFrame(kWindow);
    ASSERT_TRUE(frame);
    const ScreenRect& e = GetParam().expected;
    EXPECT_EQ((std::vector<int>{e.left, e.top, e.right, e.bottom}),
              (std::vector<int>{frame->left, frame->top, frame->right, frame->bottom}));
    EXPECT_EQ((std::vector<std::string>{"DwmGetWindowAttribute(1234, 9, 16)", "GetWindowRect(1234)",
                                        "PhysicalWindowRect(1234)"}),
              script.calls);
}

INSTANTIATE_TEST_SUITE_P(Scales, Win32VisibleFrame,
                         ::testing::Values(
                             // 7 px invisible borders left, right and bottom.
                             FrameCase{"at 100 %",
                                       {100, 100, 916, 707},
                                       std::nullopt,
                                       {107, 100, 909, 700},
                                       {107, 100, 909, 700}},
                             // 11 px at 150 %.
                             FrameCase{"at 150 %",
                                       {300, 200, 1522, 1111},
                                       std::nullopt,
                                       {311, 200, 1511, 1100},
                                       {311, 200, 1511, 1100}},
                             FrameCase{"maximised at 150 %",
                                       {-11, -11, 1931, 1051},
                                       std::nullopt,
                                       {0, 0, 1920, 1040},
                                       {0, 0, 1920, 1040}},
                             FrameCase{"on a monitor left of the primary",
                                       {-1807, 100, -991, 707},
                                       std::nullopt,
                                       {-1800, 100, -998, 700},
                                       {-1800, 100, -998, 700}},
                             // 1222 physical pixels wide read as 815: 11 px borders become 7.
                             FrameCase{"at 150 % seen system aware",
                                       {200, 133, 1015, 741},
                                       RECT{300, 200, 1522, 1111},
                                       {311, 200, 1511, 1100},
                                       {207, 133, 1008, 734}}),
                         [](const auto& c) {
                             std::string name;
                             for (const char* p = c.param.situation; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                             return name;
                         });

// Which window a handle names, read before every change.
const char kIdentity[] = "GetWindowThreadProcessId(1234)";

// Each change asked twice of the same window: what the first reads of the
// rights and of a layering that takes an alpha is not read again.
struct RefusalCase {
    const char* situation;
    std::function<void(Script&)> arrange;
    std::function<ChangeAnswer(WindowSystem&)> change;
    ChangeAnswer answer;
    std::vector<std::string> secondCalls;  // the second change's calls
    std::vector<std::string> firstEnd;     // the first change's last calls
};

class Win32Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Win32Refusal, IsAnsweredWithoutAskingTheWindowAndAskedOnce) {
    script = Script{};
    GetParam().arrange(script);
    Win32WindowSystem windows(Recorders());
    EXPECT_EQ(GetParam().answer, GetParam().change(windows));
    const std::vector<std::string>& end = GetParam().firstEnd;
    ASSERT_GE(script.calls.size(), end.size());
    EXPECT_EQ(end, std::vector<std::string>(script.calls.end() - end.size(), script.calls.end()));
    script.calls.clear();
    EXPECT_EQ(GetParam().answer, GetParam().change(windows));
    std::vector<std::string> second = {kIdentity};
    second.insert(second.end(), GetParam().secondCalls.begin(), GetParam().secondCalls.end());
    EXPECT_EQ(second, script.calls);
}

ChangeAnswer Pin(WindowSystem& w) {
    return w.KeepAbove(kWindow, true);
}
ChangeAnswer Fade(WindowSystem& w) {
    return w.SetOpacity(kWindow, 100);
}
void RunAsAdministrator(Script& s) {
    s.windowLevel = SECURITY_MANDATORY_HIGH_RID;
}
const char kPin[] = "SetWindowPos(1234, -1, 0, 0, 0, 0, 0x4053)";
const char kStyle[] = "GetWindowLongA(1234, -20)";
const char kAlpha[] = "SetLayeredWindowAttributes(1234, 0, 100, 2)";
const char kItsLevel[] = "CloseHandle(50)";

INSTANTIATE_TEST_SUITE_P(
    Windows, Win32Refusal,
    ::testing::Values(RefusalCase{"pin, a program run as administrator",
                                  &RunAsAdministrator,
                                  &Pin,
                                  ChangeAnswer::kRefused,
                                  {},
                                  {kItsLevel}},
                      RefusalCase{"fade, a program run as administrator",
                                  &RunAsAdministrator,
                                  &Fade,
                                  ChangeAnswer::kRefused,
                                  {},
                                  {kItsLevel}},
                      RefusalCase{"pin, both run as administrator",
                                  [](Script& s) {
                                      RunAsAdministrator(s);
                                      s.ownLevel = SECURITY_MANDATORY_HIGH_RID;
                                  },
                                  &Pin,
                                  ChangeAnswer::kAccepted,
                                  {kPin},
                                  {kItsLevel, kPin}},
                      RefusalCase{"pin, a level that cannot be read: the call's own refusal",
                                  [](Script& s) {
                                      s.windowLevel.reset();
                                      s.changeError = ERROR_ACCESS_DENIED;
                                  },
                                  &Pin,
                                  ChangeAnswer::kRefused,
                                  {kPin},
                                  {"CloseHandle(50)", kPin}},
                      RefusalCase{"fade refused by the call itself",
                                  [](Script& s) { s.changeError = ERROR_ACCESS_DENIED; },
                                  &Fade,
                                  ChangeAnswer::kRefused,
                                  {kStyle, "SetExtendedStyleLater(1234, 0x80000)", kAlpha},
                                  {kStyle, "SetExtendedStyleLater(1234, 0x80000)", kAlpha}},
                      RefusalCase{"pin, a window that has gone",
                                  [](Script& s) { s.changeError = ERROR_INVALID_WINDOW_HANDLE; },
                                  &Pin,
                                  ChangeAnswer::kAccepted,
                                  {kPin},
                                  {kItsLevel, kPin}},
                      // UpdateLayeredWindow: layered, but no alpha to read.
                      RefusalCase{"fade, a window that draws itself",
                                  [](Script& s) {
                                      s.exStyle = WS_EX_LAYERED;
                                      s.layeredAttributesKnown = FALSE;
                                  },
                                  &Fade,
                                  ChangeAnswer::kDrawsItself,
                                  {kStyle, "GetLayeredWindowAttributes(1234)"},
                                  {kStyle, "GetLayeredWindowAttributes(1234)"}},
                      RefusalCase{"fade, a window layered with an alpha",
                                  [](Script& s) { s.exStyle = WS_EX_LAYERED; },
                                  &Fade,
                                  ChangeAnswer::kAccepted,
                                  {kStyle, kAlpha},
                                  {kStyle, "GetLayeredWindowAttributes(1234)", kAlpha}}),
    [](const auto& c) {
        std::string name;
        for (const char* p = c.param.situation; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

// A window's layering as it is now: a fade, then what changes, then a fade.
struct LayeringCase {
    const char* situation;
    std::function<void(Script&)> arrange;
    ChangeAnswer first;
    std::function<void(Script&)> between;
    ChangeAnswer second;
    std::vector<std::string> secondCalls;
};

class Win32Layering : public ::testing::TestWithParam<LayeringCase> {};

TEST_P(Win32Layering, IsDecidedFromWhatIsTrueNow) {
    script = Script{};
    GetParam().arrange(script);
    Win32WindowSystem windows(Recorders());
    EXPECT_EQ(GetParam().first, Fade(windows));
    GetParam().between(script);
    script.calls.clear();
    EXPECT_EQ(GetParam().second, Fade(windows));
    EXPECT_EQ(GetParam().secondCalls, script.calls);
}

void SelfDrawn(Script& s) {
    s.exStyle = WS_EX_LAYERED;
    s.layeredAttributesKnown = FALSE;
}
void AlphaTaken(Script& s) {
    s.exStyle = WS_EX_LAYERED;
}
const char kAsked[] = "GetLayeredWindowAttributes(1234)";

INSTANTIATE_TEST_SUITE_P(
    Windows, Win32Layering,
    ::testing::Values(LayeringCase{"layered, painted after the first fade",
                                   &SelfDrawn,
                                   ChangeAnswer::kDrawsItself,
                                   [](Script& s) { s.layeredAttributesKnown = TRUE; },
                                   ChangeAnswer::kAccepted,
                                   {kIdentity, kStyle, kAsked, kAlpha}},
                      LayeringCase{"taking an alpha, then drawing itself under a new style",
                                   &AlphaTaken,
                                   ChangeAnswer::kAccepted,
                                   [](Script& s) {
                                       SelfDrawn(s);
                                       s.exStyle |= WS_EX_TRANSPARENT;
                                   },
                                   ChangeAnswer::kDrawsItself,
                                   {kIdentity, kStyle, kAsked}},
                      LayeringCase{"a handle reused by a window that draws itself",
                                   &AlphaTaken,
                                   ChangeAnswer::kAccepted,
                                   [](Script& s) {
                                       SelfDrawn(s);
                                       s.windowProcess = 0x88;
                                   },
                                   ChangeAnswer::kDrawsItself,
                                   {kIdentity, "OpenProcess(0x1000, 0, 88)",
                                    "OpenProcessToken(its process, 0x8)",
                                    "GetTokenInformation(its token, 25)", "CloseHandle(61)",
                                    kItsLevel, kStyle, kAsked}},
                      // Layered by this program, its alpha still pending on the worker:
                      // the query would fail, and is not made.
                      LayeringCase{"layered by this program",
                                   [](Script&) {},
                                   ChangeAnswer::kAccepted,
                                   SelfDrawn,
                                   ChangeAnswer::kAccepted,
                                   {kIdentity, kStyle, kAlpha}}),
    [](const auto& c) {
        std::string name;
        for (const char* p = c.param.situation; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

}  // namespace
}  // namespace brumelis::platform_tests
