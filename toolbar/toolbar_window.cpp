// Form1's event routing, its start-up, the fold/unfold toggle and the
// presentation box.
#include "toolbar/toolbar_window.h"

#include "base/failure.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_texts.h"
#include "utilities/window_utilities.h"

namespace brumelis {

Form1::Form1(WindowSystem& windows, FormToolkit& toolkit, FormWindow& window)
    : windows_(windows), toolkit_(toolkit), window_(window) {}

void Form1::Load() {
    Form_Load();
}

void Form1::Tick(ControlId timer) {
    if (timer == ControlId::Timer1) Timer1_Timer();
}

void Form1::Click(ControlId control) {
    switch (control) {
        case ControlId::Picture3: Picture3_Click(); break;
        case ControlId::Picture2: Picture3_Click(); break;  // the slider folds too
        case ControlId::Command2: Command2_Click(); break;
        case ControlId::Picture1: Picture1_Click(); break;
        default: break;
    }
}

void Form1::DoubleClick(ControlId control) {
    if (control == ControlId::Picture3) Picture3_DblClick();
    if (control == ControlId::Picture2) Picture2_DblClick();
}

void Form1::MouseDown(ControlId, const MouseEvent&) {}

void Form1::MouseMove(ControlId control, const MouseEvent& event) {
    if (control == ControlId::Picture2) Picture2_MouseMove(event);
}

void Form1::Form_Load() {
    Collapse();
    window_.SetEnabled(false);
    if (AlreadyRunning(windows_, toolkit_, window_, window_.Caption(),
                       DynamicValue(std::int16_t{2}))) {
        toolkit_.MessageBox(texts::kAlreadyRunning, MessageButtons::Ok, texts::kApplicationTitle);
        toolkit_.End();
    }
    toolkit_.DoEvents();
    window_.SetEnabled(true);
}

// Width, then height, each read from the red square as it is now.
void Form1::Collapse() {
    window_.SetWidth(window_.Geometry(ControlId::Picture3).width + kTwipsPerPixel);
    window_.SetHeight(window_.Geometry(ControlId::Picture3).height + kTwipsPerPixel);
}

void Form1::Picture3_Click() {
    // A failed read of the width falls into the first branch, as a skipped
    // test of a condition does.
    bool expanded = true;
    IgnoreFailure([&] { expanded = window_.Width() == kExpandedWidth; });
    if (expanded) {
        IgnoreFailure([&] { Collapse(); });
    } else {
        IgnoreFailure([&] { window_.SetWidth(kExpandedWidth); });
        IgnoreFailure([&] {
            const ControlGeometry slider = window_.Geometry(ControlId::Picture2);
            window_.SetHeight(slider.top + slider.height);
        });
    }
    IgnoreFailure([&] { windows_.SetActiveWindow(hwndTarget); });
}

void Form1::Picture3_DblClick() {
    if (toolkit_.MessageBox(texts::kPresentation, MessageButtons::YesNo,
                            texts::kPresentationTitle) == MessageAnswer::No)
        toolkit_.End();
}

}  // namespace brumelis
