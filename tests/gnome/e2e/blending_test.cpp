// GNOME alone: a faded window blends with what lies behind it, not with
// black (Mutter culls what lies beneath a window actor made translucent;
// the extension fades the window's surfaces instead).
#include <algorithm>
#include <cstdlib>
#include <iomanip>

#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

// The target, and its twin behind it 100 pixels to the left: at kOverTwin
// the target's button lies over the twin's button, at kOverDesktop over
// nothing but the desktop.
class Blending : public ToolbarScenario {
protected:
    WindowId OpenFirstTarget() override {
        Rect twin = kFirstTargetPlace;
        twin.left -= 100;
        twin_ = driver_->OpenTarget("Cible dessous", twin);
        return driver_->OpenTarget("Cible A", kFirstTargetPlace);
    }
    // The largest difference of one channel.
    static int Apart(std::uint32_t a, std::uint32_t b) {
        int most = 0;
        for (const int shift : {16, 8, 0}) {
            const int difference =
                static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff);
            most = std::max(most, std::abs(difference));
        }
        return most;
    }
    std::uint32_t PixelAt(Point point) {
        const auto shot = driver_->Capture({point.x, point.y, 1, 1});
        return shot.size() == 1 ? shot[0] : 0xff000000;
    }

    static constexpr Point kOverTwin{kFirstTargetPlace.left + 150, kFirstTargetPlace.top + 150};
    static constexpr Point kOverDesktop{kFirstTargetPlace.left + 350, kFirstTargetPlace.top + 150};
    WindowId twin_ = 0;
};

TEST_F(Blending, AHalfFadedWindowOverItsTwinLooksTheSame) {
    ASSERT_NE(0u, twin_);
    ASSERT_TRUE(driver_->IsStackedAbove(target_, twin_));
    const std::uint32_t overTwin = PixelAt(kOverTwin), overDesktop = PixelAt(kOverDesktop);
    ASSERT_NE(overTwin, 0xff000000u) << "no screenshot";
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(DragOnSlider(40, kSliderHeight / 2));
    // Drawn once the part over the desktop shows the desktop through it.
    ASSERT_TRUE(WaitUntil([&] { return Apart(PixelAt(kOverDesktop), overDesktop) > 40; }))
        << "the faded target looks as before over the desktop: " << std::hex
        << PixelAt(kOverDesktop) << ", alpha " << driver_->Alpha(target_).value_or(-1);
    const std::uint32_t faded = PixelAt(kOverTwin);
    // Over black each channel would be about half of what it was.
    EXPECT_LE(Apart(overTwin, faded), 8) << std::hex << overTwin << " became " << faded;
}

}  // namespace
}  // namespace brumelis::scenarios
