// How GoogleTest shows dynamic values in failure messages: the kind, then the
// text ("Single(1.5)", "Array{"a","b",}"). Test code only: the program itself
// carries no stream code.
#pragma once

#include <ostream>

#include "base/dynamic_value.h"

namespace brumelis {

void PrintTo(const DynamicValue& value, std::ostream* os);

}  // namespace brumelis
