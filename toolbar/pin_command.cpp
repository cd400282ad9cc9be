// The pin button: keep the target above all windows, or let it go.
#include "base/failure.h"
#include "toolbar/pinned_list.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"
#include "utilities/value_utilities.h"

namespace brumelis {

void ToolbarWindow::TogglePin() {
    // The caption is the button's state; a failed read pins, as a skipped
    // test of a condition does.
    bool pin = true;
    IgnoreFailure([&] { pin = form_.ButtonCaption(kPinButton) == texts::kPinCaption; });
    if (pin) {
        Pin();
    } else {
        ChangeAnswer answer = ChangeAnswer::kAccepted;
        IgnoreFailure([&] { answer = desktop_.KeepAbove(target_, false); });
        if (answer == ChangeAnswer::kNotNow) {
            // Still kept above: the button keeps saying so.
            TellNotNow();
        } else {
            IgnoreFailure([&] { form_.SetButtonCaption(kPinButton, texts::kPinCaption); });
            IgnoreFailure(
                [&] { pinned_ = ReplaceText(pinned_, PinnedItem(target_), Text()).AsText(); });
        }
    }
    IgnoreFailure([&] { Fold(); });
    IgnoreFailure([&] { desktop_.Activate(target_); });
}

// Only a pin the system accepted shows "-" and enters the list; a refusal
// leaves both as they were and says why.
void ToolbarWindow::Pin() {
    // A failed request is skipped like any failed step: the rest goes on.
    ChangeAnswer answer = ChangeAnswer::kAccepted;
    IgnoreFailure([&] { answer = desktop_.KeepAbove(target_, true); });
    switch (answer) {
        case ChangeAnswer::kAccepted:
            // The toolbar goes back above the window it has just pinned.
            IgnoreFailure([&] { form_.StayAbove(); });
            IgnoreFailure([&] { form_.SetButtonCaption(kPinButton, texts::kUnpinCaption); });
            IgnoreFailure([&] { pinned_ += PinnedItem(target_); });
            toldNotNow_ = false;
            break;
        case ChangeAnswer::kNotNow: TellNotNow(); break;
        case ChangeAnswer::kUnsupported:
            if (!toldCannotKeepAbove_) {
                toldCannotKeepAbove_ = true;
                Tell(texts::kCannotKeepAbove);
            }
            break;
        case ChangeAnswer::kRefused:
        case ChangeAnswer::kDrawsItself:  // an answer about opacity only
            if (refusedPin_.insert(target_).second) Tell(texts::kKeepAboveRefused);
            break;
    }
}

void ToolbarWindow::Tell(const Text& text) {
    IgnoreFailure([&] { toolkit_.ShowMessage(text, MessageButtons::Ok); });
}

// Once while the desktop's helper stays off: a change it accepts again
// ends the outage.
void ToolbarWindow::TellNotNow() {
    if (toldNotNow_) return;
    toldNotNow_ = true;
    Tell(texts::kNotPossibleNow);
}

}  // namespace brumelis
