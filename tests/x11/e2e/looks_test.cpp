// What the compositor shows of the unfolded panel: the whole red square on
// top of the button, the panel's colour beside it, the gradient decoded from
// the JPEG, red at the slider's top and white at its bottom.
#include <vector>

#include "tests/scenarios/toolbar_scenario.h"
#include "tests/x11/e2e/x11_driver.h"

namespace brumelis::x11_tests {
namespace {

using namespace scenarios;

int Red(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

using Looks = ToolbarScenario;

TEST_F(Looks, TheUnfoldedPanelShowsTheRedSquareAndTheGradient) {
    ASSERT_TRUE(Unfold());
    const Rect area = ToolbarRect();
    XSession& x = static_cast<X11Driver&>(*driver_).Session();
    std::vector<std::uint32_t> shot;
    auto at = [&](int px, int py) { return shot[static_cast<std::size_t>(py * area.width + px)]; };
    const Point top{kSliderLeft + kSliderWidth / 2, kSliderTop + 1};
    const Point bottom{top.x, kSliderTop + kSliderHeight - 2};
    auto painted = [&] {
        shot = x.Capture({area.left, area.top, area.width, area.height});
        return shot.size() == static_cast<std::size_t>(area.width * area.height) &&
               at(4, 8) == 0xFF0000u && Red(at(top.x, top.y)) > 200 &&
               Green(at(bottom.x, bottom.y)) > 200;
    };
    ASSERT_TRUE(WaitUntil(painted))
        << "nothing like the panel on the screen: " << std::hex << at(4, 8) << " at the "
        << "square's last row, " << at(top.x, top.y) << " and " << at(bottom.x, bottom.y)
        << " at the slider's ends; " << Situation();
    for (int py = 0; py < 9; ++py)
        for (int px = 0; px < 9; ++px)
            EXPECT_EQ(0xFF0000u, at(px, py)) << "(" << px << ", " << py << ")";
    EXPECT_NE(0xFF0000u, at(9, 0)) << "the square is 9 pixels wide";
    EXPECT_EQ(at(9, 0), at(30, 3)) << "the panel's colour beside the square";
    EXPECT_LT(Green(at(top.x, top.y)), 60) << std::hex << at(top.x, top.y);
    EXPECT_GT(Blue(at(bottom.x, bottom.y)), 200) << std::hex << at(bottom.x, bottom.y);
    EXPECT_GT(Red(at(bottom.x, bottom.y)), 200) << std::hex << at(bottom.x, bottom.y);
}

}  // namespace
}  // namespace brumelis::x11_tests
