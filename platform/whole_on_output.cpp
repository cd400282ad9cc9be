#include "platform/whole_on_output.h"

#include <algorithm>

namespace brumelis {

namespace {

// The start of a span of `length` at `wanted`, moved back to end by `end`
// but not before `start` (an output narrower than the span keeps its start).
int Inside(int wanted, int length, int start, int end) {
    return std::min(wanted, std::max(start, end - length));
}

}  // namespace

PixelRect WholeOnOutput(const PixelRect& wanted, const PixelRect& output) {
    PixelRect placed = wanted;
    placed.left = Inside(wanted.left, wanted.width, output.left, output.left + output.width);
    placed.top = Inside(wanted.top, wanted.height, output.top, output.top + output.height);
    return placed;
}

}  // namespace brumelis
