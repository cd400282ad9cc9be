// What the screen shows, read with grim as any client of the session can.
// sway draws the cursor into the shot: the caller parks it first.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/scenarios/geometry.h"

namespace brumelis::sway_tests {

// The area as 0xRRGGBB row by row from the top; empty when grim failed.
std::vector<std::uint32_t> ScreenShot(const scenarios::Rect& area);

}  // namespace brumelis::sway_tests
