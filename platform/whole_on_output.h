// Where a surface that a compositor draws on one output only goes so that
// the user sees it whole: layer-shell surfaces are cut at their output's
// edges even where another monitor lies beyond, while the toolbar's corner
// follows a window whose corner may sit a few pixels from such an edge.
#pragma once

#include "platform/pixel_form_window.h"

namespace brumelis {

// `wanted` moved left and up just enough to end inside `output`'s right and
// bottom edges, never past its left and top ones; unmoved when it fits.
PixelRect WholeOnOutput(const PixelRect& wanted, const PixelRect& output);

}  // namespace brumelis
