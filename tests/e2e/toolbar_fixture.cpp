#include "tests/e2e/toolbar_fixture.h"

#include <sstream>

#include "tests/e2e/mouse_input.h"
#include "tests/e2e/window_queries.h"
#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

using namespace test_support;

void ToolbarTest::StartToolbarOn(HWND target) {
    brumelis_.emplace();
    ASSERT_TRUE(brumelis_->Started())
        << "starting the toolbar program failed: " << brumelis_->StartError();
    HWND window = brumelis_->WaitForToolbar();
    ASSERT_NE(window, nullptr) << "the toolbar never showed; program running: "
                               << brumelis_->IsRunning();
    toolbar_ = ToolbarView(window);
    // Clicks need a toolbar that stays put: wait for the follower's first
    // ticks to glue it to the target.
    ASSERT_TRUE(WaitUntilFoldedOn(target))
        << "the toolbar never settled folded on the target's corner " << WindowRect(target)
        << "; it is " << toolbar_.ScreenRect();
}

bool ToolbarTest::WaitUntilFoldedOn(HWND target) const {
    const auto foldedOnTarget = [&] {
        const Rect place = WindowRect(target);
        return toolbar_.ScreenRect() ==
               Rect{place.left, place.top, kFoldedSize.width, kFoldedSize.height};
    };
    // Held over a tick: a tick already under way may still move it.
    return WaitUntil(foldedOnTarget) && HoldsFor(foldedOnTarget, kOneTickAndMore);
}

std::string ToolbarTest::Situation() const {
    std::ostringstream out;
    HWND foreground = GetForegroundWindow();
    out << "toolbar " << toolbar_.ScreenRect() << "; foreground "
        << (foreground == toolbar_.Handle()  ? std::string("the toolbar")
            : foreground == target_.Handle() ? std::string("the first target")
                                             : testing::PrintToString(ClassName(foreground)) + " " +
                                                   testing::PrintToString(WindowText(foreground)));
    return out.str();
}

bool ToolbarTest::Unfold() const {
    return ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kRedSquare)) &&
           WaitUntil([&] { return toolbar_.Extent() == kUnfoldedSize; });
}

}  // namespace brumelis::e2e
