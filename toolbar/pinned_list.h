// The pinned-window list: ";" + handle in decimal + ";" per pin, appended.
#pragma once

#include "base/core_types.h"

namespace brumelis {

// The item of one handle; the only allocation of a follower tick.
Text PinnedItem(WindowHandle window);

// Exact, case-sensitive substring search: every item is closed by ";" on both
// sides, so one handle's item never matches inside another's.
bool IsPinned(const Text& pinned, WindowHandle window);

}  // namespace brumelis
