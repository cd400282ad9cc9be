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

// A key's step along the slider: its points a tenth of its height apart,
// each with the alpha SliderAlpha gives it. The nearest point's alpha below
// `current` (more transparent, down: toward the bottom) or above it (up);
// none past the end of the scale or for a slider without a height.
std::optional<std::uint8_t> SliderStepAlpha(Twips height, std::uint8_t current, bool down);

}  // namespace brumelis
