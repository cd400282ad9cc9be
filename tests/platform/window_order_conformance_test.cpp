// Finding windows: the z-order walk of the instance check, the visible frame
// and the foreground window the follower reads, and operations on handles
// that name no window, which must change nothing (titles are with the title
// cases).
#include <algorithm>

#include "tests/platform/window_system_conformance.h"

namespace brumelis::platform_tests {
namespace {

TEST_P(WindowSystemConformance, WalkMeetsNewerWindowsFirstAndTheBandAboveBeforeTheRest) {
    const WindowHandle a = Window(u"a");
    const WindowHandle b = Window(u"b");
    const WindowHandle c = Window(u"c");
    const WindowHandle d = Window(u"d");
    EXPECT_EQ((std::vector<WindowHandle>{d, c, b, a}), WalkFrom(a));

    Calls().KeepAbove(b, true);
    Calls().KeepAbove(a, true);
    EXPECT_EQ((std::vector<WindowHandle>{a, b, d, c}), WalkFrom(c))
        << "the last one kept above leads the band";
    EXPECT_EQ(WalkFrom(c), WalkFrom(a)) << "the walk starts at the same window from either band";

    // Leaving the band puts the window at the top of the rest.
    Calls().KeepAbove(a, false);
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

TEST_P(WindowSystemConformance, VisibleFrameIsTheScreenRectangleOfABareWindow) {
    const ScreenRect rects[] = {
        {10, 20, 110, 95},
        {-40, -25, 60, 35},    // partly off the screen's top-left corner
        {500, 400, 501, 401},  // one pixel
    };
    for (const ScreenRect& rect : rects) {
        const WindowHandle w = Window(u"placed", rect);
        EXPECT_EQ(Corners(rect), Corners(RectOf(w)));
    }
}

TEST_P(WindowSystemConformance, HiddenWindowsHaveAFrameToo) {
    const ScreenRect place{30, 40, 90, 100};
    const WindowHandle w = Window(u"hidden", place, false);
    EXPECT_FALSE(Backend().IsVisible(w));
    EXPECT_EQ(Corners(place), Corners(RectOf(w)));
}

TEST_P(WindowSystemConformance, ForegroundIsTheWindowMadeForeground) {
    const WindowHandle a = Window(u"a");
    const WindowHandle b = Window(u"b");
    ASSERT_TRUE(Backend().MakeForeground(a));
    EXPECT_EQ(a, Calls().ForegroundWindow());
    ASSERT_TRUE(Backend().MakeForeground(b));
    EXPECT_EQ(b, Calls().ForegroundWindow());
}

TEST_P(WindowSystemConformance, OperationsOnHandlesOfNoWindowChangeNothing) {
    const ScreenRect place{15, 25, 135, 105};
    const WindowHandle live = Window(u"live", place);
    for (const WindowHandle bad : {WindowHandle{0}, DestroyedWindow()}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(std::nullopt, Calls().VisibleFrame(bad));
        EXPECT_TRUE(Calls().TopLevelWindows(bad, 118).empty());
        // Nothing to refuse.
        EXPECT_EQ(ChangeAnswer::kAccepted, Calls().SetOpacity(bad, 10));
        EXPECT_EQ(ChangeAnswer::kAccepted, Calls().KeepAbove(bad, true));
        EXPECT_EQ(ChangeAnswer::kAccepted, Calls().KeepAbove(bad, false));
    }
    EXPECT_FALSE(IsKeptAbove(live));
    EXPECT_EQ(std::nullopt, Backend().Alpha(live));
    EXPECT_EQ(Corners(place), Corners(RectOf(live)));
    EXPECT_EQ((std::vector<WindowHandle>{live}), WalkFrom(live));
}

}  // namespace
}  // namespace brumelis::platform_tests
