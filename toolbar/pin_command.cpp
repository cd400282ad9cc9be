// The pin button: keep the target above all windows, or let it go.
#include "base/failure.h"
#include "toolbar/pinned_list.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"
#include "utilities/value_utilities.h"
#include "utilities/window_utilities.h"

namespace brumelis {

void ToolbarWindow::TogglePin() {
    // The caption is the button's state; a failed read pins, as a skipped
    // test of a condition does.
    bool pin = true;
    IgnoreFailure([&] { pin = form_.ButtonCaption(kPinButton) == texts::kPinCaption; });
    bool canPin = true;
    IgnoreFailure([&] { canPin = desktop_.CanKeepAbove(); });
    if (pin && !canPin) {
        // Nothing is pinned, so the button keeps "+"; the user hears why once.
        if (!toldCannotKeepAbove_) {
            toldCannotKeepAbove_ = true;
            IgnoreFailure(
                [&] { toolkit_.ShowMessage(texts::kCannotKeepAbove, MessageButtons::Ok); });
        }
    } else if (pin) {
        IgnoreFailure([&] { SetTopMost(desktop_, target_, true); });
        // The toolbar goes back above the window it has just pinned.
        IgnoreFailure([&] { SetTopMost(desktop_, form_.Handle(), true); });
        IgnoreFailure([&] { form_.SetButtonCaption(kPinButton, texts::kUnpinCaption); });
        IgnoreFailure([&] { pinned_ += PinnedItem(target_); });
    } else {
        IgnoreFailure([&] { SetTopMost(desktop_, target_, false); });
        IgnoreFailure([&] { form_.SetButtonCaption(kPinButton, texts::kPinCaption); });
        IgnoreFailure(
            [&] { pinned_ = ReplaceText(pinned_, PinnedItem(target_), Text()).AsText(); });
    }
    IgnoreFailure([&] { Fold(); });
    IgnoreFailure([&] { desktop_.Activate(target_); });
}

}  // namespace brumelis
