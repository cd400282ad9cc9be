// The click on Command2: pin the target above all windows, or unpin it.
#include "base/failure.h"
#include "toolbar/pinned_list.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"
#include "utilities/value_utilities.h"
#include "utilities/window_utilities.h"

namespace brumelis {

void Form1::Command2_Click() {
    // The caption is the command's state; a failed read pins, as a skipped
    // test of a condition does.
    bool pin = true;
    IgnoreFailure([&] { pin = window_.ButtonCaption(ControlId::Command2) == texts::kPinCaption; });
    if (pin) {
        IgnoreFailure([&] { SetTopMost(windows_, hwndTarget, kTrue); });
        // The toolbar goes back above the window it has just pinned.
        IgnoreFailure([&] { SetTopMost(windows_, window_.Handle(), kTrue); });
        IgnoreFailure([&] { window_.SetButtonCaption(ControlId::Command2, texts::kUnpinCaption); });
        IgnoreFailure([&] { sPinned += PinnedItem(hwndTarget); });
    } else {
        IgnoreFailure([&] { SetTopMost(windows_, hwndTarget, kFalse); });
        IgnoreFailure([&] { window_.SetButtonCaption(ControlId::Command2, texts::kPinCaption); });
        IgnoreFailure(
            [&] { sPinned = ReplaceText(sPinned, PinnedItem(hwndTarget), Text()).AsText(); });
    }
    IgnoreFailure([&] { Collapse(); });
    IgnoreFailure([&] { windows_.SetActiveWindow(hwndTarget); });
}

}  // namespace brumelis
