// The panel has the system's window colour, and a picture of the unfolded
// toolbar is kept for people to look at (scripts/test.sh makes it a PNG).
// What a screen reader reads of the controls through MSAA, and the pin
// button's default action doing what its click does.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/accessible_reading.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/win32_driver.h"
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
    const Point panel{m + 30, m + 3}, sliderTop{m + kSliderLeft + 12, m + kSliderTop + 2},
        sliderBottom{m + kSliderLeft + 12, m + kSliderTop + 87};
    ScreenImage shot;
    EXPECT_TRUE(WaitUntil([&] {
        shot = ScreenImage::Capture(
            {toolbar.left - m, toolbar.top - m, toolbar.width + 2 * m, toolbar.height + 2 * m});
        // Painted from the gradient's red top down to its white end (the
        // panel's own white alone would pass the second).
        const Rgb red = shot.At(sliderTop.x, sliderTop.y);
        const Rgb white = shot.At(sliderBottom.x, sliderBottom.y);
        return shot.At(panel.x, panel.y) == window && (red & 0xC0C0C0) == 0xC00000 &&
               (white & 0x808080) == 0x808080;
    })) << std::hex
        << shot.At(panel.x, panel.y) << " is not " << window << "; " << Situation();
    EXPECT_TRUE(shot.SaveBmp(ArtifactPath(L"e2e-unfolded-toolbar.bmp")));
}

TEST_F(Picture, ScreenReadersReadEachControlAndPressThePinButton) {
    struct Expected {
        std::wstring name;
        long role;
        std::wstring value, action;
    };
    const Expected expected[] = {
        {L"Carré rouge", ROLE_SYSTEM_PUSHBUTTON, L"", L""},
        {L"Opacité de la fenêtre", ROLE_SYSTEM_SLIDER, L"100", L""},
        {L"+", ROLE_SYSTEM_PUSHBUTTON, L"", L"Appuyer"},
    };
    const std::vector<AccessibleReading> controls = ReadControls(Hwnd(toolbar_));
    for (const Expected& control : expected) {
        const auto read = std::find_if(controls.begin(), controls.end(),
                                       [&](const auto& c) { return c.name == control.name; });
        ASSERT_NE(read, controls.end()) << "no control named " << control.name;
        EXPECT_EQ(control.role, read->role) << control.name;
        EXPECT_EQ(control.value, read->value) << control.name;
        EXPECT_EQ(control.action, read->defaultAction) << control.name;
        EXPECT_FALSE(read->description.empty()) << control.name;
    }
    ASSERT_TRUE(DoDefaultAction(PinButtonOf(Hwnd(toolbar_))));
    EXPECT_TRUE(CaptionBecomes("-"));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target_); })) << Situation();
}

}  // namespace
}  // namespace brumelis::e2e
