// Where the screen shows the toolbar. sway lists no layer surface to other
// clients, so the driver finds it as a user does: the pure red square, and
// beside it either the folded tile's panel edge or the unfolded panel (its
// colour right of the square, the slider's red-to-white gradient below).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tests/scenarios/geometry.h"

namespace brumelis::sway_tests {

// The toolbar in a shot of `area`, in screen pixels; none when no red
// square with either look is there, or when the shot ends where the
// unfolded panel would lie (its look cannot be told).
std::optional<scenarios::Rect> ToolbarIn(const std::vector<std::uint32_t>& shot,
                                         const scenarios::Rect& area);

}  // namespace brumelis::sway_tests
