// The slider and the panel: the target window's opacity.
#include <optional>

#include "base/failure.h"
#include "toolbar/slider_alpha.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_window.h"

namespace brumelis {

// The write goes to the target's thread, which may not answer: it is skipped
// when the window is already layered (every move of a drag after the first),
// and otherwise made without waiting; the opacity that follows it waits for it.
void ToolbarWindow::MakeLayered(WindowHandle window) {
    const std::int32_t style = desktop_.GetWindowLongA(window, win::kExtendedStyle);
    if ((style & win::kLayeredStyle) != 0) return;
    desktop_.SetExtendedStyleLater(window, style | win::kLayeredStyle);
}

void ToolbarWindow::SetOpacity(WindowHandle window, std::uint8_t alpha) {
    desktop_.SetLayeredWindowAttributes(window, 0, alpha, win::kUseAlpha);
}

void ToolbarWindow::SetOpacityFromSlider(const MouseEvent& event) {
    // Only a drag with the left button alone sets the opacity.
    if (event.button != 1) return;
    IgnoreFailure([&] { MakeLayered(target_); });
    // Without the slider's height there is no alpha, and the window keeps its
    // opacity instead of turning invisible.
    std::optional<std::uint8_t> alpha;
    IgnoreFailure([&] { alpha = SliderAlpha(form_.Geometry(kSlider).height, event.y); });
    if (alpha) IgnoreFailure([&] { SetOpacity(target_, *alpha); });
}

void ToolbarWindow::MakeOpaque() {
    MakeLayered(target_);
    SetOpacity(target_, 255);
}

void ToolbarWindow::MakeOpaqueAndFold() {
    MakeOpaque();
    Fold();
    desktop_.SetActiveWindow(target_);
}

}  // namespace brumelis
