// Where a window's visible frame lies inside its window rectangle. Windows 10
// and 11 draw resize borders that are part of the rectangle but invisible;
// the desktop compositor reports the visible frame, in physical pixels, while
// a program that is not DPI-aware reads rectangles and moves windows in
// pixels scaled to 96 dots per inch.
#pragma once

#include "base/core_types.h"

namespace brumelis {

// The visible frame in the coordinates of `window` (the rectangle as the
// caller reads it), from the same rectangle in physical pixels and the
// compositor's frame in physical pixels. Only the borders are taken from the
// physical figures, scaled by the ratio of the two rectangles' sizes, so the
// result stays anchored on `window` whatever the scaling. When the answers do
// not fit together (a frame reaching outside the rectangle, or no area) the
// window rectangle itself is the answer.
ScreenRect VisibleFrame(const ScreenRect& window, const ScreenRect& windowPhysical,
                        const ScreenRect& framePhysical);

}  // namespace brumelis
