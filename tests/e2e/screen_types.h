// Screen-coordinate values that compare and print, so that assertions say
// what was seen: the scenarios' own.
#pragma once

#include "tests/scenarios/geometry.h"

namespace brumelis::e2e {

using scenarios::Point;
using scenarios::Rect;
using scenarios::Size;

}  // namespace brumelis::e2e
