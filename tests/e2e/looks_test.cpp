// What the screen shows of the toolbar: the tile with its pure red square,
// and the unfolded panel with the slider's gradient (saved for people to
// look at).
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

#include "tests/e2e/screen_capture.h"
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::e2e {
namespace {

using namespace scenarios;

const Rgb kPureRed = 0xFF0000;

Rgb SystemColour(int index) {
    const COLORREF c = GetSysColor(index);
    return (Rgb{GetRValue(c)} << 16) | (Rgb{GetGValue(c)} << 8) | Rgb{GetBValue(c)};
}

// Describes the first pixel of the area whose colour differs, or is empty.
std::string FirstPixelNotOf(const ScreenImage& image, const Rect& area, Rgb colour) {
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
            if (image.At(x, y) != colour) {
                std::ostringstream out;
                out << "pixel (" << x << ", " << y << ") is " << std::hex << image.At(x, y);
                return out.str();
            }
    return {};
}

int Red(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(Rgb c) {
    return static_cast<int>(c & 0xFF);
}

using Looks = ToolbarScenario;

TEST_F(Looks, ATenPixelTileWithAPureRedSquare) {
    // The square is 9x9; right of it the panel shows down to the button.
    const Rect square{0, 0, 9, 9};
    std::string wrongRed;
    ScreenImage tile;
    WaitUntil([&] {
        tile = ScreenImage::Capture(ToolbarRect());
        wrongRed = FirstPixelNotOf(tile, square, kPureRed);
        return wrongRed.empty();
    });
    EXPECT_EQ(wrongRed, "");
    EXPECT_EQ(FirstPixelNotOf(tile, {9, 0, 1, 8}, SystemColour(COLOR_WINDOW)), "");
}

TEST_F(Looks, TheUnfoldedPanelShowsTheGradient) {
    ASSERT_TRUE(Unfold());
    // Red at the slider's top, white at its bottom.
    const Rect toolbar = ToolbarRect();
    const Rect around{toolbar.left - 20, toolbar.top - 20, kUnfoldedSize.width + 40,
                      kUnfoldedSize.height + 40};
    ScreenImage shot;
    const Point top{20 + kSliderLeft + kSliderWidth / 2, 20 + kSliderTop + 1};
    const Point bottom{top.x, 20 + kSliderTop + kSliderHeight - 2};
    WaitUntil([&] {
        shot = ScreenImage::Capture(around);
        return Red(shot.At(top.x, top.y)) > 200 && Green(shot.At(top.x, top.y)) < 60 &&
               Green(shot.At(bottom.x, bottom.y)) > 200 && Blue(shot.At(bottom.x, bottom.y)) > 200;
    });
    EXPECT_TRUE(shot.SaveBmp(ArtifactPath(L"e2e-unfolded-toolbar.bmp")));
    EXPECT_GT(Red(shot.At(top.x, top.y)), 200) << std::hex << shot.At(top.x, top.y);
    EXPECT_LT(Green(shot.At(top.x, top.y)), 60) << std::hex << shot.At(top.x, top.y);
    EXPECT_GT(Green(shot.At(bottom.x, bottom.y)), 200) << std::hex << shot.At(bottom.x, bottom.y);
    EXPECT_GT(Blue(shot.At(bottom.x, bottom.y)), 200) << std::hex << shot.At(bottom.x, bottom.y);
    EXPECT_EQ(shot.At(20 + kRedSquare.x, 20 + kRedSquare.y), kPureRed);
}

}  // namespace
}  // namespace brumelis::e2e
