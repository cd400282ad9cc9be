#include "tests/e2e/toolbar_fixture.h"

#include <sstream>

#include "tests/e2e/mouse_input.h"
#include "tests/e2e/window_queries.h"
#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

using namespace test_support;

bool ToolbarTest::WaitUntilFoldedOn(const TargetWindow& target) const {
    const auto foldedOnTarget = [&] {
        return toolbar_.ScreenRect() == Rect{target.ScreenRect().left, target.ScreenRect().top,
                                             kFoldedSize.width, kFoldedSize.height};
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
