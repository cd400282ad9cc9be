// The tick of Timer1: glue the toolbar to the foreground window's corner.
#include "base/checked_arithmetic.h"
#include "toolbar/pinned_list.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"
#include "utilities/window_utilities.h"

namespace brumelis {

void Form1::Timer1_Timer() {
    static const Text kSource = u"Form1.Timer1_Timer";
    const WindowHandle foreground = windows_.GetForegroundWindow();
    // While the user works in the toolbar it stays where it is.
    if (foreground == window_.Handle()) return;
    hwndTarget = foreground;

    ScreenRect rect;  // stays all zeros when the query fails
    windows_.GetWindowRect(foreground, rect);
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
