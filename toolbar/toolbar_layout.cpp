#include "toolbar/toolbar_layout.h"

#include "resources/resource_ids.h"
#include "toolbar/toolbar_texts.h"

namespace brumelis {

const FormLayout& ToolbarLayout() {
    static const FormLayout layout = [] {
        const Color red = Color::FromRgb(255, 0, 0);
        const ImageId gradient{IDR_SLIDER_GRADIENT};
        FormLayout l;
        l.caption = texts::kCaption;
        l.applicationTitle = texts::kApplicationTitle;
        l.width = kExpandedWidth;
        l.height = 1695;
        // The red square, the slider and the pin button are created in this
        // order and stack so, the red square on top; the tab order differs.
        l.controls = {
            {kPanel, ControlKind::PicturePanel, kToolbar, 0, 0, 495, 1695, Color::Window(),
             Color::WindowText(), kNoImage, Text(), 0, 0},
            {kRedSquare, ControlKind::PicturePanel, kPanel, 0, 0, 135, 135, red,
             Color::WindowText(), kNoImage, Text(), 3, 0},
            {kSlider, ControlKind::PicturePanel, kPanel, 45, 360, 375, 1335, Color::Window(),
             Color::WindowText(), gradient, Text(), 2, 0},
            {kPinButton, ControlKind::PushButton, kPanel, 0, 120, 495, 255, Color::Window(),
             Color::WindowText(), kNoImage, texts::kPinCaption, 1, 0},
            {kFollowTimer, ControlKind::Timer, kToolbar, 0, 0, 0, 0, Color::Window(),
             Color::WindowText(), kNoImage, Text(), -1, 100},
            // About a frame of a 60 Hz screen; runs only while the target moves.
            {kMoveTimer, ControlKind::Timer, kToolbar, 0, 0, 0, 0, Color::Window(),
             Color::WindowText(), kNoImage, Text(), -1, 15, true},
        };
        // The red square folds and unfolds the panel: a toggle for screen readers.
        l.accessible = {
            {kRedSquare, AccessibleRole::ToggleButton, texts::kRedSquareName,
             texts::kRedSquareDescription},
            {kPinButton, AccessibleRole::PushButton, Text(), texts::kPinButtonDescription,
             texts::kPinButtonAction},
            {kSlider, AccessibleRole::Slider, texts::kSliderName, texts::kSliderDescription},
        };
        return l;
    }();
    return layout;
}

}  // namespace brumelis
