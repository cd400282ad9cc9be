// The toolbar window's event routing, its start-up, the fold toggle and the
// presentation box.
#include "toolbar/toolbar_window.h"

#include "base/failure.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_texts.h"
#include "utilities/window_utilities.h"

namespace brumelis {

ToolbarWindow::ToolbarWindow(WindowSystem& desktop, FormToolkit& toolkit, FormWindow& form,
                             InstanceLock* startLock, KeySource* keys)
    : desktop_(desktop), toolkit_(toolkit), form_(form), startLock_(startLock), keys_(keys) {}

ToolbarWindow::~ToolbarWindow() {
    if (watched_ != 0) desktop_.WatchMoves(0, nullptr);
}

void ToolbarWindow::Load() {
    StartUp();
}

void ToolbarWindow::Tick(ControlId timer) {
    if (timer == kFollowTimer) FollowForeground();
    if (timer == kMoveTimer) FollowMove();
}

void ToolbarWindow::Click(ControlId control) {
    switch (control) {
        case kRedSquare: ToggleFold(); break;
        case kSlider:  // releasing the slider folds too
            ToggleFold();
            EndDrag();
            break;
        case kPinButton: TogglePin(); break;
        case kPanel: MakeOpaqueAndFold(); break;
        default: break;
    }
}

void ToolbarWindow::DoubleClick(ControlId control) {
    if (control == kRedSquare) ShowPresentation();
    if (control == kSlider) MakeOpaque();
}

void ToolbarWindow::MouseMove(ControlId control, const MouseEvent& event) {
    if (control == kSlider) SetOpacityFromSlider(event);
}

void ToolbarWindow::StartUp() {
    Fold();
    form_.SetEnabled(false);
    bool running = false;
    {
        // Given back on every way out of the check, a failure included.
        const ReleaseAtScopeEnd release(startLock_);
        running = AlreadyRunning(desktop_, toolkit_, form_, form_.Caption(),
                                 DynamicValue(std::int16_t{2}));
    }
    if (running) {
        toolkit_.ShowMessage(texts::kAlreadyRunning, MessageButtons::Ok, texts::kApplicationTitle);
        toolkit_.End();
    }
    TakeKeys();
    toolkit_.DoEvents();
    form_.SetEnabled(true);
}

// Width, then height, each read from the red square as it is now.
void ToolbarWindow::Fold() {
    form_.SetWidth(form_.Geometry(kRedSquare).width + kTwipsPerPixel);
    form_.SetHeight(form_.Geometry(kRedSquare).height + kTwipsPerPixel);
}

void ToolbarWindow::ToggleFold() {
    // A failed read of the width falls into the first branch, as a skipped
    // test of a condition does.
    bool expanded = true;
    IgnoreFailure([&] { expanded = form_.Width() == kExpandedWidth; });
    if (expanded) {
        IgnoreFailure([&] { Fold(); });
    } else {
        IgnoreFailure([&] { form_.SetWidth(kExpandedWidth); });
        IgnoreFailure([&] {
            const ControlGeometry slider = form_.Geometry(kSlider);
            form_.SetHeight(slider.top + slider.height);
        });
    }
    IgnoreFailure([&] { desktop_.Activate(target_); });
}

void ToolbarWindow::ShowPresentation() {
    if (toolkit_.ShowMessage(texts::kPresentation, MessageButtons::YesNo,
                             texts::kPresentationTitle) == MessageAnswer::No)
        toolkit_.End();
}

}  // namespace brumelis
