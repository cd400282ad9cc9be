// The opacity a point of the slider stands for: opaque at its top, fully
// transparent at its bottom.
#pragma once

#include <cstdint>
#include <optional>

#include "base/core_types.h"

namespace brumelis {

// (height - y) / height * 255 in single precision, clamped to 0..255 and
// rounded to the nearest integer, halves to the even one; y is the pointer's
// distance below the slider's top and may lie outside it while dragging.
// None for a slider without a height or a position that is not a number.
std::optional<std::uint8_t> SliderAlpha(Twips height, Twips y);

}  // namespace brumelis
