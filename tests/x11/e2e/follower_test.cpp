// The tile follows the active window's frame, folds when another window
// becomes active, and unfolds on a click of its red square.
#include <vector>

#include "tests/x11/e2e/e2e_fixture.h"

namespace brumelis::x11_tests {
namespace {

using Follower = ToolbarTest;
using FoldToggle = ToolbarTest;

constexpr ScreenRect kSecondTargetPlace{700, 500, 1060, 780};

TEST_F(FoldToggle, ClickOnTheRedSquareUnfoldsAndAnotherClickFolds) {
    ASSERT_TRUE(ClickOn(OnToolbar(kRedSquare)));
    ASSERT_TRUE(SizeBecomes(kUnfoldedSize));
    EXPECT_EQ(FrameArea(target_->Id()).left, ToolbarArea().left) << "it unfolds in place";
    EXPECT_TRUE(HoldsFor([&] { return ToolbarSize() == kUnfoldedSize; }, kSeveralTicks))
        << "the target stays the same: the follower keeps the panel open; " << Situation();

    ASSERT_TRUE(ClickOn(OnToolbar(kRedSquare)));
    EXPECT_TRUE(SizeBecomes(kFoldedSize));
}

int Red(std::uint32_t c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(std::uint32_t c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(std::uint32_t c) {
    return static_cast<int>(c & 0xFF);
}

// What the compositor shows of the unfolded panel: the whole red square on
// top of the button, the panel's colour beside it, the gradient decoded from
// the JPEG, red at the slider's top and white at its bottom.
TEST_F(FoldToggle, TheUnfoldedPanelShowsTheRedSquareAndTheGradient) {
    ASSERT_TRUE(Unfold());
    const ScreenArea area = ToolbarArea();
    std::vector<std::uint32_t> shot;
    auto at = [&](int x, int y) { return shot[static_cast<std::size_t>(y * area.width + x)]; };
    const ScreenPoint top{kSliderLeft + kSliderWidth / 2, kSliderTop + 1};
    const ScreenPoint bottom{top.x, kSliderTop + kSliderHeight - 2};
    auto painted = [&] {
        shot = x_.Capture(area);
        return shot.size() == static_cast<std::size_t>(area.width * area.height) &&
               at(4, 8) == 0xFF0000u && Red(at(top.x, top.y)) > 200 &&
               Green(at(bottom.x, bottom.y)) > 200;
    };
    ASSERT_TRUE(WaitUntil(painted))
        << "nothing like the panel on the screen: " << std::hex << at(4, 8) << " at the "
        << "square's last row, " << at(top.x, top.y) << " and " << at(bottom.x, bottom.y)
        << " at the slider's ends; " << Situation();
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(0xFF0000u, at(x, y)) << "(" << x << ", " << y << ")";
    EXPECT_NE(0xFF0000u, at(9, 0)) << "the square is 9 pixels wide";
    EXPECT_EQ(at(9, 0), at(30, 3)) << "the panel's colour beside the square";
    EXPECT_LT(Green(at(top.x, top.y)), 60) << std::hex << at(top.x, top.y);
    EXPECT_GT(Blue(at(bottom.x, bottom.y)), 200) << std::hex << at(bottom.x, bottom.y);
    EXPECT_GT(Red(at(bottom.x, bottom.y)), 200) << std::hex << at(bottom.x, bottom.y);
}

TEST_F(Follower, FollowsTheTargetWhenItMovesAndKeepsThePanelOpen) {
    ASSERT_TRUE(Unfold());
    const ScreenArea before = FrameArea(target_->Id());
    x_.MoveClient(target_->Id(), {before.left + 120, before.top + 70});
    ASSERT_TRUE(WaitUntil([&] { return FrameArea(target_->Id()).left != before.left; }))
        << "the window manager did not move the target";

    EXPECT_TRUE(WaitUntil([&] {
        const ScreenArea frame = FrameArea(target_->Id());
        return ToolbarArea().left == frame.left && ToolbarArea().top == frame.top;
    })) << Situation();
    EXPECT_EQ(kUnfoldedSize, ToolbarSize());
}

TEST_F(Follower, FoldsOnTheCornerOfEachWindowThatBecomesActive) {
    auto other = StartTarget("Cible B", kSecondTargetPlace);
    ASSERT_TRUE(other) << "the second target did not come up";
    EXPECT_TRUE(FoldedOn(other->Id()));

    ASSERT_TRUE(Activate(target_->Id()));
    ASSERT_TRUE(FoldedOn(target_->Id()));
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(Activate(other->Id()));
    EXPECT_TRUE(FoldedOn(other->Id())) << "an unfolded panel folds on a switch";
}

}  // namespace
}  // namespace brumelis::x11_tests
