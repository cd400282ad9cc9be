// What the screen shows of the toolbar: folded, the red square and the panel
// beside it; unfolded, the whole square on top of the button, the panel's
// colour beside it and the slider's gradient decoded from the JPEG, red at
// its top and white at its bottom.
#include <sstream>

#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

constexpr std::uint32_t kPureRed = 0xFF0000;

int Red(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

class Looks : public ToolbarScenario {
protected:
    // Captures the toolbar until `painted` holds of the shot, or the deadline.
    bool Shows(const std::function<bool()>& painted) {
        const Rect area = ToolbarRect();
        width_ = area.width;
        return WaitUntil([&] {
            shot_ = driver_->Capture(area);
            return shot_.size() == static_cast<std::size_t>(area.width * area.height) && painted();
        });
    }
    std::uint32_t At(Point p) const { return shot_[static_cast<std::size_t>(p.y * width_ + p.x)]; }
    // Every pixel of the 9x9 square is pure red.
    void ExpectRedSquare() const {
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x)
                EXPECT_EQ(kPureRed, At({x, y})) << std::hex << "(" << x << ", " << y << ")";
    }

    std::vector<std::uint32_t> shot_;
    int width_ = 0;
};

TEST_F(Looks, TheTileIsThePureRedSquareWithThePanelBesideIt) {
    ASSERT_TRUE(Shows([&] {
        return At({0, 0}) == kPureRed && At({8, 8}) == kPureRed;
    })) << "no red square on the screen; "
        << Situation();
    ExpectRedSquare();
    // Right of the square the panel shows (GTK shades a row or two above
    // the button: its top half only).
    EXPECT_NE(kPureRed, At({9, 0})) << "the square is 9 pixels wide";
    for (int y = 1; y < 5; ++y) EXPECT_EQ(At({9, 0}), At({9, y})) << std::hex << "(9, " << y << ")";
}

TEST_F(Looks, TheUnfoldedPanelShowsTheRedSquareAndTheGradient) {
    ASSERT_TRUE(Unfold());
    const Point top{kSliderLeft + kSliderWidth / 2, kSliderTop + 1};
    const Point bottom{top.x, kSliderTop + kSliderHeight - 2};
    ASSERT_TRUE(Shows([&] {
        return At({4, 8}) == kPureRed && Red(At(top)) > 200 && Green(At(top)) < 60 &&
               Green(At(bottom)) > 200;
    })) << "nothing like the panel on the screen; "
        << Situation();
    ExpectRedSquare();
    EXPECT_NE(kPureRed, At({9, 0})) << "the square is 9 pixels wide";
    EXPECT_EQ(At({9, 0}), At({30, 3})) << "the panel's colour beside the square";
    EXPECT_GT(Blue(At(bottom)), 200) << std::hex << At(bottom);
    EXPECT_GT(Red(At(bottom)), 200) << std::hex << At(bottom);
}

}  // namespace
}  // namespace brumelis::scenarios
