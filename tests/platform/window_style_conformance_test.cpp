// Opacity and the band kept above: what the transparency control and the pin
// command change on other programs' windows.
#include "tests/platform/window_system_conformance.h"

namespace brumelis::platform_tests {
namespace {

TEST_P(WindowSystemConformance, OpacityTakesItsWholeRange) {
    const WindowHandle w = Window();
    EXPECT_EQ(std::nullopt, Backend().Alpha(w)) << "no opacity before one is set";
    for (int opacity : {128, 0, 255, 1}) {
        SCOPED_TRACE(opacity);
        EXPECT_EQ(ChangeAnswer::kAccepted,
                  Calls().SetOpacity(w, static_cast<std::uint8_t>(opacity)));
        EXPECT_EQ(std::optional<std::uint8_t>(static_cast<std::uint8_t>(opacity)),
                  Backend().Alpha(w));
    }
}

TEST_P(WindowSystemConformance, KeepAboveNeitherMovesSizesNorActivates) {
    const WindowHandle active = Window(u"active");
    ASSERT_TRUE(Backend().MakeForeground(active));
    const ScreenRect place{300, 200, 420, 290};
    const WindowHandle other = Window(u"other", place);

    EXPECT_EQ(ChangeAnswer::kAccepted, Calls().KeepAbove(other, true));
    EXPECT_TRUE(IsKeptAbove(other));
    EXPECT_EQ(Corners(place), Corners(RectOf(other)));
    EXPECT_EQ(active, Foreground());
}

TEST_P(WindowSystemConformance, LeavingTheBandKeepsThePlace) {
    const ScreenRect place{60, 70, 180, 150};
    const WindowHandle w = Window(u"pinned", place);
    Calls().KeepAbove(w, true);
    ASSERT_TRUE(IsKeptAbove(w));
    Calls().KeepAbove(w, false);
    EXPECT_FALSE(IsKeptAbove(w));
    EXPECT_TRUE(Backend().IsVisible(w));
    EXPECT_EQ(Corners(place), Corners(RectOf(w)));
    // Leaving a band the window is not in changes nothing.
    Calls().KeepAbove(w, false);
    EXPECT_FALSE(IsKeptAbove(w));
}

}  // namespace
}  // namespace brumelis::platform_tests
