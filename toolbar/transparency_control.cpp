// The slider and the panel: the target window's opacity.
#include <optional>

#include "base/failure.h"
#include "toolbar/slider_alpha.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"

namespace brumelis {

void ToolbarWindow::SetOpacityFromSlider(const MouseEvent& event) {
    // Only a drag with the left button alone sets the opacity.
    if (event.button != 1) return;
    // Without the slider's height there is no alpha, and the window keeps its
    // opacity instead of turning invisible.
    std::optional<std::uint8_t> alpha;
    IgnoreFailure([&] { alpha = SliderAlpha(form_.Geometry(kSlider).height, event.y); });
    if (alpha)
        IgnoreFailure([&] {
            desktop_.SetOpacity(target_, *alpha);
            dragged_ = true;
        });
}

// A box in the middle of a drag would end it: the desktop that does not show
// opacity says so once the button is released.
void ToolbarWindow::EndDrag() {
    if (!dragged_) return;
    dragged_ = false;
    if (toldOpacityNotShown_ || desktop_.ShowsOpacity()) return;
    toldOpacityNotShown_ = true;
    toolkit_.ShowMessage(texts::kOpacityNotShown, MessageButtons::Ok);
}

void ToolbarWindow::MakeOpaque() {
    desktop_.SetOpacity(target_, 255);
}

void ToolbarWindow::MakeOpaqueAndFold() {
    MakeOpaque();
    Fold();
    desktop_.Activate(target_);
}

}  // namespace brumelis
