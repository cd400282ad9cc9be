// The panel has the system's window colour, and a picture of the unfolded
// toolbar is kept for people to look at (scripts/test.sh makes it a PNG).
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/screen_capture.h"
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::e2e {
namespace {

using namespace scenarios;

using Picture = ToolbarScenario;

TEST_F(Picture, TheUnfoldedPanelInTheSystemsWindowColourIsKeptAsAPicture) {
    ASSERT_TRUE(Unfold());
    const COLORREF c = GetSysColor(COLOR_WINDOW);
    const Rgb window = (Rgb{GetRValue(c)} << 16) | (Rgb{GetGValue(c)} << 8) | Rgb{GetBValue(c)};
    const Rect toolbar = ToolbarRect();
    // Room around it to see where it sits; the panel's right of the square.
    const int m = 20;
    const Point panel{m + 30, m + 3}, sliderBottom{m + kSliderLeft + 12, m + kSliderTop + 87};
    ScreenImage shot;
    EXPECT_TRUE(WaitUntil([&] {
        shot = ScreenImage::Capture(
            {toolbar.left - m, toolbar.top - m, toolbar.width + 2 * m, toolbar.height + 2 * m});
        // Painted down to the gradient's white end.
        const Rgb white = shot.At(sliderBottom.x, sliderBottom.y);
        return shot.At(panel.x, panel.y) == window && (white & 0x808080) == 0x808080;
    })) << std::hex
        << shot.At(panel.x, panel.y) << " is not " << window << "; " << Situation();
    EXPECT_TRUE(shot.SaveBmp(ArtifactPath(L"e2e-unfolded-toolbar.bmp")));
}

}  // namespace
}  // namespace brumelis::e2e
