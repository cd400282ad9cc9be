// Finding windows: the z-order walk of the instance check, rectangles and the
// foreground window the follower reads, and calls on handles that name no
// window, which must change nothing (the title query on them is with the
// other title cases).
#include <algorithm>

#include "tests/platform/window_system_conformance.h"

namespace brumelis::platform_tests {
namespace {

constexpr std::uint32_t kBandFlags = 0x53;

TEST_P(WindowSystemConformance, WalkMeetsNewerWindowsFirstAndTheTopmostBandBeforeTheRest) {
    const WindowHandle a = Window(u"a");
    const WindowHandle b = Window(u"b");
    const WindowHandle c = Window(u"c");
    const WindowHandle d = Window(u"d");
    EXPECT_EQ((std::vector<WindowHandle>{d, c, b, a}), WalkFrom(a));

    ASSERT_TRUE(Calls().SetWindowPos(b, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
    ASSERT_TRUE(Calls().SetWindowPos(a, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
    EXPECT_EQ((std::vector<WindowHandle>{a, b, d, c}), WalkFrom(c))
        << "the last one pinned leads the topmost band";
    EXPECT_EQ(WalkFrom(c), WalkFrom(a)) << "the walk starts at the same window from either band";

    // Leaving the band puts the window at the top of the rest.
    ASSERT_TRUE(Calls().SetWindowPos(a, win::kNonTopmostBand, 0, 0, 0, 0, kBandFlags));
    EXPECT_EQ((std::vector<WindowHandle>{b, a, d, c}), WalkFrom(c));
}

TEST_P(WindowSystemConformance, WalkSkipsDestroyedWindows) {
    const WindowHandle a = Window(u"a");
    const WindowHandle gone = DestroyedWindow();
    const WindowHandle b = Window(u"b");
    const std::vector<WindowHandle> walk = WalkFrom(a);
    EXPECT_EQ((std::vector<WindowHandle>{b, a}), walk);
    EXPECT_EQ(walk.end(), std::find(walk.begin(), walk.end(), gone));
}

TEST_P(WindowSystemConformance, WindowRectIsTheScreenRectangle) {
    const ScreenRect rects[] = {
        {10, 20, 110, 95},
        {-40, -25, 60, 35},    // partly off the screen's top-left corner
        {500, 400, 501, 401},  // one pixel
    };
    for (const ScreenRect& rect : rects) {
        const WindowHandle w = Window(u"placed", rect);
        ScreenRect read{-7, -7, -7, -7};
        EXPECT_TRUE(Calls().GetWindowRect(w, read));
        EXPECT_EQ(Corners(rect), Corners(read));
    }
}

TEST_P(WindowSystemConformance, HiddenWindowsHaveARectangleToo) {
    const ScreenRect place{30, 40, 90, 100};
    const WindowHandle w = Window(u"hidden", place, false);
    EXPECT_FALSE(Backend().IsVisible(w));
    EXPECT_EQ(Corners(place), Corners(RectOf(w)));
}

TEST_P(WindowSystemConformance, ForegroundIsTheWindowMadeForeground) {
    const WindowHandle a = Window(u"a");
    const WindowHandle b = Window(u"b");
    ASSERT_TRUE(Backend().MakeForeground(a));
    EXPECT_EQ(a, Calls().GetForegroundWindow());
    ASSERT_TRUE(Backend().MakeForeground(b));
    EXPECT_EQ(b, Calls().GetForegroundWindow());
}

TEST_P(WindowSystemConformance, CallsOnHandlesOfNoWindowChangeNothing) {
    const ScreenRect place{15, 25, 135, 105};
    const WindowHandle live = Window(u"live", place);
    for (const WindowHandle bad : {WindowHandle{0}, DestroyedWindow()}) {
        SCOPED_TRACE(bad);
        ScreenRect rect{7, 8, 9, 10};
        EXPECT_FALSE(Calls().GetWindowRect(bad, rect));
        EXPECT_EQ(Corners(ScreenRect{7, 8, 9, 10}), Corners(rect)) << "the rectangle is kept";
        EXPECT_EQ(0, Calls().GetWindow(bad, win::kFirstWindow));
        EXPECT_EQ(0, Calls().GetWindow(bad, win::kNextWindow));
        EXPECT_EQ(0, Calls().GetWindowLongA(bad, win::kExtendedStyle));
        EXPECT_EQ(0, Calls().SetWindowLongA(bad, win::kExtendedStyle, win::kLayeredStyle));
        EXPECT_FALSE(Calls().SetLayeredWindowAttributes(bad, 0, 10, win::kUseAlpha));
        EXPECT_FALSE(Calls().SetWindowPos(bad, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
        EXPECT_FALSE(Calls().SetWindowPos(bad, win::kNonTopmostBand, 0, 0, 0, 0, kBandFlags));
    }
    EXPECT_EQ(0, ExStyle(live));
    EXPECT_EQ(Corners(place), Corners(RectOf(live)));
    EXPECT_EQ((std::vector<WindowHandle>{live}), WalkFrom(live));
}

}  // namespace
}  // namespace brumelis::platform_tests
