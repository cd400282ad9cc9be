// What the screen shows, read as any client of the session can (as grim does).
// sway draws the cursor into the shot: the caller parks it first. Also the
// KWin suites' screen where KWin runs nested in sway (scripts/kwin-env.sh).
#pragma once

#include <cstdint>
#include <vector>

#include "tests/scenarios/geometry.h"

namespace brumelis::sway_tests {

// The area as 0xRRGGBB row by row from the top; empty when it cannot be read.
// `display` names the compositor's socket (a name or a path) on the first
// call, whose connection is kept; WAYLAND_DISPLAY's when null.
std::vector<std::uint32_t> ScreenShot(const scenarios::Rect& area, const char* display = nullptr);

}  // namespace brumelis::sway_tests
