// The toolbar on a display scaled above 100 %: its window drawn at the
// display's scale, and real input on the scaled parts doing what it does at
// 100 %. Runs in a prefix of its own at 144 dots per inch (the CTest entry
// e2e_ScaledDisplay); the 96-dpi scenarios stay as they are, and at 100 %
// (the shared prefix, a user's PC) these are skipped.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/screen_capture.h"
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::e2e {
namespace {

using namespace scenarios;

int DisplayDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

class ScaledDisplay : public ToolbarScenario {
protected:
    // As ToolbarScenario's, with the folded tile at the display's scale.
    void SetUp() override {
        // The CTest entry asks for its scale; on a PC at 100 % there is
        // nothing to see here.
        if (const char* expected = std::getenv("BRUMELIS_EXPECT_DPI")) {
            ASSERT_EQ(std::atoi(expected), dpi_) << "the prefix's LogPixels did not apply";
        }
        if (dpi_ == 96) GTEST_SKIP() << "the display is at 100 %";
        target_ = OpenFirstTarget();
        ASSERT_NE(0u, target_);
        ASSERT_TRUE(BringToForeground(target_));
        brumelis_ = driver_->StartCopy();
        ASSERT_TRUE(brumelis_->Started());
        ASSERT_TRUE(
            WaitUntil([&] { return (toolbar_ = brumelis_->Toolbar()) != 0; }, kStartTimeout));
        const Rect frame = driver_->VisibleFrame(target_);
        ASSERT_TRUE(WaitUntil([&] {
            return ToolbarRect() == Rect{frame.left, frame.top, Scaled(10), Scaled(10)};
        })) << "not a scaled tile on the target's corner; "
            << Situation();
    }
    int Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }
    Point ScaledPart(Point part) const { return {Scaled(part.x), Scaled(part.y)}; }
    Point OnScaledSlider(int offset) {
        return OnToolbar(ScaledPart({kSliderLeft + kSliderWidth / 2, kSliderTop + offset}));
    }

    const int dpi_ = DisplayDpi();
};

TEST_F(ScaledDisplay, TileAndPanelAreDrawnAtTheDisplaysScale) {
    const Size panel{Scaled(kUnfoldedSize.width), Scaled(kUnfoldedSize.height)};
    ASSERT_TRUE(ClickOn(ScaledPart(kRedSquare)));
    ASSERT_TRUE(SizeBecomes(panel));
    const Rect toolbar = ToolbarRect();
    const int m = 20;
    ScreenImage shot;
    // The red square's last scaled row, and the gradient from its red top
    // row down to its white end (the target behind is white: red tells).
    const Point squareEnd{m + Scaled(9) - 1, m + Scaled(9) - 1};
    const Point sliderTop{m + Scaled(kSliderLeft + 12), m + Scaled(kSliderTop) + 1};
    const Point sliderBottom{m + Scaled(kSliderLeft + 12), m + Scaled(kSliderTop + 88)};
    const auto red = [](Rgb c) { return (c >> 16) >= 0xE0 && (c & 0xFFFF) < 0x4040; };
    EXPECT_TRUE(WaitUntil([&] {
        shot = ScreenImage::Capture(
            {toolbar.left - m, toolbar.top - m, toolbar.width + 2 * m, toolbar.height + 2 * m});
        return shot.At(squareEnd.x, squareEnd.y) == 0xFF0000 &&
               red(shot.At(sliderTop.x, sliderTop.y)) &&
               (shot.At(sliderBottom.x, sliderBottom.y) & 0xC0C0C0) == 0xC0C0C0;
    })) << std::hex
        << shot.At(squareEnd.x, squareEnd.y) << ", " << shot.At(sliderTop.x, sliderTop.y) << ", "
        << shot.At(sliderBottom.x, sliderBottom.y);
    EXPECT_TRUE(shot.SaveBmp(ArtifactPath(L"e2e-scaled-toolbar.bmp")));
}

TEST_F(ScaledDisplay, AClickOnTheScaledPlusPinsTheTarget) {
    ASSERT_TRUE(ClickOn(ScaledPart(kRedSquare)));
    ASSERT_TRUE(SizeBecomes({Scaled(kUnfoldedSize.width), Scaled(kUnfoldedSize.height)}));
    ASSERT_TRUE(ClickOn(ScaledPart(kPinButton)));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target_); }))
        << "the click did not reach the pin button; " << Situation();
    EXPECT_TRUE(CaptionBecomes("-"));
    EXPECT_EQ(std::nullopt, driver_->Alpha(target_)) << "the click landed on the slider";
}

// The same heights as at 100 %: the release 44 pixels of 96 dpi down gives
// the alpha it gives there.
TEST_F(ScaledDisplay, ADragOnTheScaledSliderSetsTheOpacityOfItsHeight) {
    ASSERT_TRUE(ClickOn(ScaledPart(kRedSquare)));
    ASSERT_TRUE(SizeBecomes({Scaled(kUnfoldedSize.width), Scaled(kUnfoldedSize.height)}));
    ASSERT_TRUE(driver_->Drag(toolbar_, OnScaledSlider(10), OnScaledSlider(44), Button::Left));
    const std::optional<int> expected = 129;
    EXPECT_EQ(expected, WaitForValue([&] { return driver_->Alpha(target_); }, expected))
        << Situation();
}

}  // namespace
}  // namespace brumelis::e2e
