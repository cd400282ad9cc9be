// What the screen shows, read through KWin's ScreenShot2 interface (the
// session lets any client call it), the cursor left out; or from the sway
// KWin runs nested in (scripts/kwin-env.sh).
#pragma once

#include <cstdint>
#include <vector>

#include "tests/scenarios/geometry.h"

namespace brumelis::kwin_tests {

// The area as 0xRRGGBB row by row from the top; empty when KWin refused.
std::vector<std::uint32_t> ScreenShot(const scenarios::Rect& area);

}  // namespace brumelis::kwin_tests
