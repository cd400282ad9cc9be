// The slider and the panel: the target window's opacity.
#include <optional>

#include "toolbar/toolbar_window.h"
#include "utilities/failure.h"
#include "utilities/value_utilities.h"

namespace brumelis {

// The write goes to the target's thread, which may not answer: it is skipped
// when the window is already layered (every move of a drag after the first),
// and otherwise made without waiting; the opacity that follows it waits for it.
void Form1::MakeLayered(WindowHandle hWnd) {
    const std::int32_t style = windows_.GetWindowLongA(hWnd, win::GWL_EXSTYLE);
    if ((style & win::WS_EX_LAYERED) != 0) return;
    windows_.SetExStyleLater(hWnd, style | win::WS_EX_LAYERED);
}

void Form1::SetOpacity(WindowHandle hWnd, std::uint8_t alpha) {
    windows_.SetLayeredWindowAttributes(hWnd, 0, alpha, win::LWA_ALPHA);
}

void Form1::Picture2_MouseMove(const MouseEvent& event) {
    // Only a drag with the left button alone sets the opacity.
    if (event.button != 1) return;
    IgnoreFailure([&] { MakeLayered(hwndTarget); });
    // Each step needs the one before; without a height there is no alpha, and
    // the window keeps its opacity instead of turning invisible.
    std::optional<std::uint8_t> alpha;
    IgnoreFailure([&] {
        const Twips height = window_.Geometry(ControlId::Picture2).height;
        if (height == 0) Raise(11, u"Form1.Picture2_MouseMove", u"Division par zéro");
        const auto v = static_cast<float>((static_cast<double>(height) - event.y) / height * 255.0);
        const DynamicValue w = MaxOf(MinOf(DynamicValue(v), DynamicValue(std::int16_t{255})),
                                     DynamicValue(std::int16_t{0}));
        alpha = ToByte(w);
    });
    if (alpha) IgnoreFailure([&] { SetOpacity(hwndTarget, *alpha); });
}

void Form1::Picture2_DblClick() {
    MakeLayered(hwndTarget);
    SetOpacity(hwndTarget, 255);
}

void Form1::Picture1_Click() {
    MakeLayered(hwndTarget);
    SetOpacity(hwndTarget, 255);
    Collapse();
    windows_.SetActiveWindow(hwndTarget);
}

}  // namespace brumelis
