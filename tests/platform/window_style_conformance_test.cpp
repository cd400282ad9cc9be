// Extended style, layered alpha and the topmost band: what the transparency
// control and the pin command change on other programs' windows.
#include "tests/platform/window_system_conformance.h"

namespace brumelis::platform_tests {
namespace {

constexpr std::int32_t WS_EX_TOOLWINDOW = 0x00000080;
// SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW, as the pin command passes it.
constexpr std::uint32_t kBandFlags = 0x53;

TEST_P(WindowSystemConformance, AlphaIsRefusedWithoutTheLayeredStyle) {
    const WindowHandle w = Window();
    EXPECT_FALSE(Calls().SetLayeredWindowAttributes(w, 0, 128, win::kUseAlpha));
    EXPECT_EQ(std::nullopt, Backend().Alpha(w));
    EXPECT_EQ(0, ExStyle(w) & win::kLayeredStyle);
}

TEST_P(WindowSystemConformance, AlphaIsTakenOnALayeredWindowOverItsWholeRange) {
    const WindowHandle w = Window();
    Calls().SetWindowLongA(w, win::kExtendedStyle, win::kLayeredStyle);
    EXPECT_EQ(std::nullopt, Backend().Alpha(w)) << "layered, but no alpha set yet";
    for (int alpha : {128, 0, 255, 1}) {
        SCOPED_TRACE(alpha);
        EXPECT_TRUE(Calls().SetLayeredWindowAttributes(w, 0, static_cast<std::uint8_t>(alpha),
                                                       win::kUseAlpha));
        EXPECT_EQ(std::optional<std::uint8_t>(static_cast<std::uint8_t>(alpha)),
                  Backend().Alpha(w));
    }
}

TEST_P(WindowSystemConformance, DroppingTheLayeredStyleForgetsTheAlpha) {
    const WindowHandle w = Window();
    Calls().SetWindowLongA(w, win::kExtendedStyle, win::kLayeredStyle);
    ASSERT_TRUE(Calls().SetLayeredWindowAttributes(w, 0, 77, win::kUseAlpha));
    Calls().SetWindowLongA(w, win::kExtendedStyle, 0);
    EXPECT_EQ(std::nullopt, Backend().Alpha(w));
    Calls().SetWindowLongA(w, win::kExtendedStyle, win::kLayeredStyle);
    EXPECT_EQ(std::nullopt, Backend().Alpha(w)) << "layered again, the old alpha must not return";
    EXPECT_TRUE(Calls().SetLayeredWindowAttributes(w, 0, 200, win::kUseAlpha));
    EXPECT_EQ(std::optional<std::uint8_t>(200), Backend().Alpha(w));
}

TEST_P(WindowSystemConformance, SetWindowLongReplacesTheStyleAndAnswersTheOldOne) {
    const WindowHandle w = Window();
    const std::int32_t original = ExStyle(w);
    EXPECT_EQ(original, Calls().SetWindowLongA(w, win::kExtendedStyle,
                                               win::kLayeredStyle | WS_EX_TOOLWINDOW));
    EXPECT_EQ(win::kLayeredStyle | WS_EX_TOOLWINDOW, ExStyle(w));
    EXPECT_EQ(win::kLayeredStyle | WS_EX_TOOLWINDOW,
              Calls().SetWindowLongA(w, win::kExtendedStyle, WS_EX_TOOLWINDOW));
    EXPECT_EQ(WS_EX_TOOLWINDOW, ExStyle(w)) << "bits not passed are cleared";
}

TEST_P(WindowSystemConformance, SetWindowLongCannotMoveAWindowBetweenBands) {
    const WindowHandle plain = Window(u"plain");
    Calls().SetWindowLongA(plain, win::kExtendedStyle, win::kTopmostStyle | win::kLayeredStyle);
    EXPECT_EQ(win::kLayeredStyle, ExStyle(plain)) << "cannot enter the band; the rest is taken";

    const WindowHandle pinned = Window(u"pinned");
    ASSERT_TRUE(Calls().SetWindowPos(pinned, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
    Calls().SetWindowLongA(pinned, win::kExtendedStyle, win::kLayeredStyle);
    EXPECT_EQ(win::kTopmostStyle | win::kLayeredStyle, ExStyle(pinned)) << "nor leave it";
}

TEST_P(WindowSystemConformance, TopmostShowsAHiddenWindowWithoutMovingSizingOrActivatingIt) {
    const WindowHandle active = Window(u"active");
    ASSERT_TRUE(Backend().MakeForeground(active));
    const ScreenRect place{300, 200, 420, 290};
    const WindowHandle hidden = Window(u"hidden", place, false);
    ASSERT_FALSE(Backend().IsVisible(hidden));

    EXPECT_TRUE(Calls().SetWindowPos(hidden, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
    EXPECT_TRUE(IsTopmost(hidden));
    EXPECT_TRUE(Backend().IsVisible(hidden));
    EXPECT_EQ(Corners(place), Corners(RectOf(hidden)));
    EXPECT_EQ(active, Foreground());
}

TEST_P(WindowSystemConformance, NotTopmostLeavesTheBandAndKeepsThePlace) {
    const ScreenRect place{60, 70, 180, 150};
    const WindowHandle w = Window(u"pinned", place);
    ASSERT_TRUE(Calls().SetWindowPos(w, win::kTopmostBand, 0, 0, 0, 0, kBandFlags));
    ASSERT_TRUE(IsTopmost(w));
    EXPECT_TRUE(Calls().SetWindowPos(w, win::kNonTopmostBand, 0, 0, 0, 0, kBandFlags));
    EXPECT_FALSE(IsTopmost(w));
    EXPECT_TRUE(Backend().IsVisible(w));
    EXPECT_EQ(Corners(place), Corners(RectOf(w)));
    // Leaving a band the window is not in succeeds and changes nothing.
    EXPECT_TRUE(Calls().SetWindowPos(w, win::kNonTopmostBand, 0, 0, 0, 0, kBandFlags));
    EXPECT_FALSE(IsTopmost(w));
}

}  // namespace
}  // namespace brumelis::platform_tests
