// The part of a form window that is the same over any native windows
// measured in pixels: the handlers' twips converted, a move to where the
// window already is skipped, and the design-time geometry of the controls
// that have no native window.
#pragma once

#include <optional>

#include "platform/form_layout.h"
#include "platform/form_toolkit.h"

namespace brumelis {

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
};

class PixelFormWindow : public FormWindow {
public:
    // Not final: the fake toolkit makes them fail on demand.
    Twips Width() const override;
    Twips Height() const final;
    void SetWidth(Twips width) override;
    void SetHeight(Twips height) override;
    void Move(Twips left, Twips top, std::optional<Twips> width = std::nullopt,
              std::optional<Twips> height = std::nullopt) override;
    ControlGeometry Geometry(ControlId control) const override;

protected:
    explicit PixelFormWindow(const FormLayout& layout) : layout_(layout) {}
    ~PixelFormWindow() override = default;

    // The form window's outer rectangle on the screen.
    virtual PixelRect OuterRect() const = 0;
    // Puts the form window there; asked only when it is elsewhere.
    virtual void Place(const PixelRect& wanted) = 0;
    // A control's rectangle in its container; none when the control has no
    // native window.
    virtual std::optional<PixelRect> ControlRect(ControlId control) const = 0;

    const FormLayout layout_;

private:
    void PlaceUnlessThere(const PixelRect& current, const PixelRect& wanted);
};

}  // namespace brumelis
