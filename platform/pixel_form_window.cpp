#include "platform/pixel_form_window.h"

#include "platform/form_controls.h"
#include "platform/pixels.h"

namespace brumelis {

Twips PixelFormWindow::Width() const {
    return ToTwips(OuterRect().width);
}

Twips PixelFormWindow::Height() const {
    return ToTwips(OuterRect().height);
}

void PixelFormWindow::SetWidth(Twips width) {
    const PixelRect rect = OuterRect();
    PlaceUnlessThere(rect, PixelRect{rect.left, rect.top, ToPixels(width), rect.height});
}

void PixelFormWindow::SetHeight(Twips height) {
    const PixelRect rect = OuterRect();
    PlaceUnlessThere(rect, PixelRect{rect.left, rect.top, rect.width, ToPixels(height)});
}

void PixelFormWindow::Move(Twips left, Twips top, std::optional<Twips> width,
                           std::optional<Twips> height) {
    const PixelRect rect = OuterRect();
    PlaceUnlessThere(rect,
                     PixelRect{ToPixels(left), ToPixels(top), width ? ToPixels(*width) : rect.width,
                               height ? ToPixels(*height) : rect.height});
}

// The follower moves the toolbar on every tick: when nothing changes, no
// native call is made, so an idle toolbar neither flickers nor costs the
// window system anything.
void PixelFormWindow::PlaceUnlessThere(const PixelRect& current, const PixelRect& wanted) {
    if (current.left == wanted.left && current.top == wanted.top && current.width == wanted.width &&
        current.height == wanted.height) {
        return;
    }
    Place(wanted);
}

ControlGeometry PixelFormWindow::Geometry(ControlId control) const {
    std::optional<PixelRect> rect;
    if (control == kFormWindowId) {
        rect = OuterRect();
    } else if (!(rect = ControlRect(control))) {
        // Controls without a native window (the timer) keep their
        // design-time values.
        const ControlLayout* layout = FindLayout(layout_, control);
        if (layout == nullptr) RaiseInvalidControl();
        return {layout->left, layout->top, layout->width, layout->height};
    }
    return {ToTwips(rect->left), ToTwips(rect->top), ToTwips(rect->width), ToTwips(rect->height)};
}

}  // namespace brumelis
