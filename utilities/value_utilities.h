// Small procedures on dynamic values and texts. Arguments are taken by value;
// the caller's values never change.
#pragma once

#include "base/dynamic_value.h"

namespace brumelis {

// first when the condition reads true, second otherwise. Null reads false; a
// condition with no truth value gives first (the failed test is skipped).
DynamicValue PickIf(DynamicValue condition, DynamicValue first, DynamicValue second);

// a when a > b, else b; comparison failures reach the caller.
DynamicValue MaxOf(DynamicValue a, DynamicValue b);
// b when a > b, else a.
DynamicValue MinOf(DynamicValue a, DynamicValue b);

// Replaces every occurrence of `find`, compared without regard to letter case,
// resuming after each inserted replacement. Positions are counted in the
// text's own size type, so texts of any length work. An empty `find` finds
// nothing and gives `source` unchanged.
DynamicValue ReplaceText(Text source, Text find, Text replacement);

// Conversion of a number to an 8-bit unsigned integer, rounding to the
// nearest with halves to even; out of range or not a number is an overflow.
std::uint8_t ToByte(const DynamicValue& value);

}  // namespace brumelis
