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
    // A window that refused is sent nothing more: each move would ask again.
    if (alpha && refusedOpacity_.count(target_) == 0)
        IgnoreFailure([&] { dragAnswer_ = SendOpacity(*alpha); });
}

namespace {

// Why a window keeps its opacity; none when it takes it.
const Text* WhyLeftAlone(ChangeAnswer answer) {
    if (answer == ChangeAnswer::kRefused) return &texts::kOpacityRefused;
    if (answer == ChangeAnswer::kDrawsItself) return &texts::kOpacityDrawnByItself;
    return nullptr;
}

}  // namespace

void ToolbarWindow::ShowOpacity() {
    const auto known = opacity_.find(target_);
    const int alpha = known == opacity_.end() ? 255 : known->second;
    form_.SetAccessibleValue(kSlider, (alpha * 100 + 127) / 255);
}

ChangeAnswer ToolbarWindow::SendOpacity(std::uint8_t opacity) {
    const ChangeAnswer answer = desktop_.SetOpacity(target_, opacity);
    if (answer == ChangeAnswer::kRefused) refusedOpacity_.insert(target_);
    if (answer == ChangeAnswer::kAccepted) toldNotNow_ = false;
    if (answer == ChangeAnswer::kAccepted || answer == ChangeAnswer::kUnsupported) {
        // Recorded either way: an opacity not shown yet still shows later.
        if (opacity == 255)
            opacity_.erase(target_);
        else
            opacity_[target_] = opacity;
        ShowOpacity();
    }
    return answer;
}

const Text* ToolbarWindow::WhyLeftAloneUntold(ChangeAnswer answer) {
    if (answer == ChangeAnswer::kDrawsItself && !toldDrawsItself_.insert(target_).second)
        return nullptr;
    return WhyLeftAlone(answer);
}

// A box in the middle of a drag would end it: what the drag's answer means
// is said once the button is released.
void ToolbarWindow::EndDrag() {
    if (!dragAnswer_) return;
    const ChangeAnswer answer = *dragAnswer_;
    dragAnswer_.reset();
    TellOpacityAnswer(answer);
}

void ToolbarWindow::TellOpacityAnswer(ChangeAnswer answer) {
    if (const Text* why = WhyLeftAloneUntold(answer)) {
        // Once for each window.
        toolkit_.ShowMessage(*why, MessageButtons::Ok);
    } else if (answer == ChangeAnswer::kUnsupported && !toldOpacityNotShown_) {
        toldOpacityNotShown_ = true;
        toolkit_.ShowMessage(texts::kOpacityNotShown, MessageButtons::Ok);
    } else if (answer == ChangeAnswer::kNotNow) {
        TellNotNow();
    }
}

void ToolbarWindow::MakeOpaque() {
    if (refusedOpacity_.count(target_) != 0) return;
    const ChangeAnswer answer = SendOpacity(255);
    if (const Text* why = WhyLeftAloneUntold(answer))
        toolkit_.ShowMessage(*why, MessageButtons::Ok);
    if (answer == ChangeAnswer::kNotNow) TellNotNow();
}

void ToolbarWindow::MakeOpaqueAndFold() {
    MakeOpaque();
    Fold();
    desktop_.Activate(target_);
}

}  // namespace brumelis
