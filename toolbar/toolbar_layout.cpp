#include "toolbar/toolbar_layout.h"

#include "toolbar/toolbar_texts.h"

namespace brumelis {

const FormLayout& ToolbarLayout() {
    static const FormLayout layout = [] {
        const Color red = Color::FromRgb(255, 0, 0);
        FormLayout l;
        l.caption = texts::kCaption;
        l.applicationTitle = texts::kApplicationTitle;
        l.width = kExpandedWidth;
        l.height = 1695;
        // Picture3, Picture2 and Command2 are created in this order and stack
        // so, the red square on top; the tab order differs from it.
        l.controls = {
            {ControlId::Picture1, ControlKind::PicturePanel, ControlId::Form1, 0, 0, 495, 1695,
             Color::Window(), Color::WindowText(), ImageId::None, Text(), 0, 0},
            {ControlId::Picture3, ControlKind::PicturePanel, ControlId::Picture1, 0, 0, 135, 135,
             red, Color::WindowText(), ImageId::None, Text(), 3, 0},
            {ControlId::Picture2, ControlKind::PicturePanel, ControlId::Picture1, 45, 360, 375,
             1335, Color::Window(), Color::WindowText(), ImageId::SliderGradient, Text(), 2, 0},
            {ControlId::Command2, ControlKind::PushButton, ControlId::Picture1, 0, 120, 495, 255,
             Color::Window(), Color::WindowText(), ImageId::None, texts::kPinCaption, 1, 0},
            {ControlId::Timer1, ControlKind::Timer, ControlId::Form1, 0, 0, 0, 0, Color::Window(),
             Color::WindowText(), ImageId::None, Text(), -1, 100},
        };
        return l;
    }();
    return layout;
}

}  // namespace brumelis
