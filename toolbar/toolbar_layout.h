// The toolbar window as data: its controls, their geometry in twips, colours,
// images and tab order.
#pragma once

#include "platform/form_layout.h"

namespace brumelis {

// The toolbar's controls by role, and the numbered names they also go by:
//
//   role             id             numbered name
//   toolbar window   kToolbar       Form1
//   panel            kPanel         Picture1
//   slider           kSlider        Picture2
//   red square       kRedSquare     Picture3
//   pin button       kPinButton     Command2
//   follow timer     kFollowTimer   Timer1
//   move timer       kMoveTimer     (none: it keeps the tile on a moving window)
inline constexpr ControlId kToolbar = kFormWindowId;
inline constexpr ControlId kPanel{1};
inline constexpr ControlId kSlider{2};
inline constexpr ControlId kRedSquare{3};
inline constexpr ControlId kPinButton{4};
inline constexpr ControlId kFollowTimer{5};
inline constexpr ControlId kMoveTimer{6};

constexpr Twips kExpandedWidth = 495;

const FormLayout& ToolbarLayout();

}  // namespace brumelis
