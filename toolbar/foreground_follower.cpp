// The tick of Timer1: glue the toolbar to the foreground window's corner.
#include "toolbar/pinned_list.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"
#include "utilities/checked_arithmetic.h"
#include "utilities/window_utilities.h"

namespace brumelis {

void Form1::Timer1_Timer() {
    static const Text kSource = u"Form1.Timer1_Timer";
    const WindowHandle foreground = windows_.GetForegroundWindow();
    // While the user works in the toolbar it stays where it is.
    if (foreground == window_.Handle()) return;
    hwndTarget = foreground;

    // The visible corner: recent systems put invisible resize borders inside
    // the window rectangle. Where the system cannot tell, the rectangle.
    ScreenRect rect;  // stays all zeros when both queries fail
    if (!windows_.GetVisibleFrameRect(foreground, rect)) windows_.GetWindowRect(foreground, rect);
    const auto x = static_cast<Twips>(CheckedMultiply32(rect.left, kTwipsPerPixel, kSource));
    const auto y = static_cast<Twips>(CheckedMultiply32(rect.top, kTwipsPerPixel, kSource));

    if (hwndLastTarget == foreground) {
        window_.Move(x, y);
    } else {
        const ControlGeometry square = window_.Geometry(ControlId::Picture3);
        window_.Move(x, y, square.width + kTwipsPerPixel, square.height + kTwipsPerPixel);
        hwndLastTarget = foreground;
    }
    SetTopMost(windows_, window_.Handle(), kTrue);
    window_.SetButtonCaption(ControlId::Command2, IsPinned(sPinned, foreground)
                                                      ? texts::kUnpinCaption
                                                      : texts::kPinCaption);
}

}  // namespace brumelis
