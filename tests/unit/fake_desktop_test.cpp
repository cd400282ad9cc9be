// The simulated desktop keeps the rules of the real window manager that the
// core relies on; these mirror observations of user32.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/fake/fake_desktop.h"

namespace brumelis {
namespace {

TEST(FakeDesktopRules, TitleIsTruncatedAndTheRestOfTheBufferKept) {
    FakeDesktop desktop;
    const WindowHandle w = desktop.AddWindow(Text(200, u'a'));
    char buffer[255];
    std::memset(buffer, ' ', sizeof buffer);
    EXPECT_EQ(desktop.GetWindowTextA(w, buffer, 119), 118);
    EXPECT_EQ(buffer[117], 'a');
    EXPECT_EQ(buffer[118], '\0');
    EXPECT_EQ(buffer[119], ' ');
}

TEST(FakeDesktopRules, AlphaNeedsTheLayeredStyle) {
    FakeDesktop desktop;
    const WindowHandle w = desktop.AddWindow(u"w");
    EXPECT_FALSE(desktop.SetLayeredWindowAttributes(w, 0, 10, win::kUseAlpha));
    EXPECT_FALSE(desktop.Get(w).alpha.has_value());
    desktop.SetWindowLongA(w, win::kExtendedStyle, win::kLayeredStyle);
    EXPECT_TRUE(desktop.SetLayeredWindowAttributes(w, 0, 10, win::kUseAlpha));
    EXPECT_EQ(desktop.Get(w).alpha, 10);
}

TEST(FakeDesktopRules, InvalidHandlesChangeNothing) {
    FakeDesktop desktop;
    const WindowHandle w = desktop.AddWindow(u"w", {1, 2, 3, 4});
    for (WindowHandle bad : {0, -1, w + 1}) {
        ScreenRect rect{7, 7, 7, 7};
        EXPECT_FALSE(desktop.GetWindowRect(bad, rect));
        EXPECT_EQ(rect.left, 7);
        EXPECT_EQ(desktop.GetWindow(bad, win::kFirstWindow), 0);
        EXPECT_EQ(desktop.GetWindowLongA(bad, win::kExtendedStyle), 0);
        EXPECT_EQ(desktop.SetWindowLongA(bad, win::kExtendedStyle, win::kLayeredStyle), 0);
        EXPECT_FALSE(desktop.SetWindowPos(bad, win::kTopmostBand, 0, 0, 0, 0, 0x53));
        char buffer[4] = {'x', 'x', 'x', 'x'};
        EXPECT_EQ(desktop.GetWindowTextA(bad, buffer, 4), 0);
        EXPECT_EQ(buffer[0], 'x');
    }
    EXPECT_EQ(desktop.ZOrder(), std::vector<WindowHandle>{w});
    EXPECT_EQ(desktop.Get(w).exStyle, 0);
}

TEST(FakeDesktopRules, TheTopmostBandComesFirstAndStylesCannotChangeIt) {
    FakeDesktop desktop;
    const WindowHandle a = desktop.AddWindow(u"a");
    const WindowHandle b = desktop.AddWindow(u"b");
    desktop.SetWindowPos(a, win::kTopmostBand, 0, 0, 0, 0, 0x53);
    const WindowHandle c = desktop.AddWindow(u"c");
    EXPECT_EQ(desktop.ZOrder(), (std::vector<WindowHandle>{a, c, b}));
    desktop.SetWindowLongA(c, win::kExtendedStyle, win::kTopmostStyle);
    EXPECT_FALSE(desktop.IsTopmost(c));
    desktop.SetWindowPos(a, win::kNonTopmostBand, 0, 0, 0, 0, 0x53);
    EXPECT_EQ(desktop.ZOrder(), (std::vector<WindowHandle>{a, c, b}));
    EXPECT_FALSE(desktop.IsTopmost(a));
    EXPECT_EQ(desktop.GetWindow(c, win::kNextWindow), b);
    EXPECT_EQ(desktop.GetWindow(b, win::kNextWindow), 0);
}

}  // namespace
}  // namespace brumelis
