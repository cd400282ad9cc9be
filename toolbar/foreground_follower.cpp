// The follow timer's tick: glue the toolbar to the foreground window's corner.
#include "base/checked_arithmetic.h"
#include "toolbar/pinned_list.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"
#include "utilities/window_utilities.h"

namespace brumelis {

void ToolbarWindow::FollowForeground() {
    static const Text kSource = u"ToolbarWindow.FollowForeground";
    const WindowHandle foreground = desktop_.ForegroundWindow();
    // While the user works in the toolbar it stays where it is.
    if (foreground == form_.Handle()) return;
    target_ = foreground;

    // All zeros when the window cannot be read: the screen's corner.
    const ScreenRect rect = desktop_.VisibleFrame(foreground).value_or(ScreenRect{});
    const auto x = static_cast<Twips>(CheckedMultiply32(rect.left, kTwipsPerPixel, kSource));
    const auto y = static_cast<Twips>(CheckedMultiply32(rect.top, kTwipsPerPixel, kSource));

    if (lastTarget_ == foreground) {
        form_.Move(x, y);
    } else {
        const ControlGeometry square = form_.Geometry(kRedSquare);
        form_.Move(x, y, square.width + kTwipsPerPixel, square.height + kTwipsPerPixel);
        lastTarget_ = foreground;
    }
    SetTopMost(desktop_, form_.Handle(), true);
    form_.SetButtonCaption(
        kPinButton, IsPinned(pinned_, foreground) ? texts::kUnpinCaption : texts::kPinCaption);
}

}  // namespace brumelis
