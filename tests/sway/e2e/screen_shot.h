// What the screen shows, read as any client of the session can (as grim does).
// sway draws the cursor into the shot: the caller parks it first.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/scenarios/geometry.h"

namespace brumelis::sway_tests {

// The area as 0xRRGGBB row by row from the top; empty when it cannot be read.
std::vector<std::uint32_t> ScreenShot(const scenarios::Rect& area);

}  // namespace brumelis::sway_tests
