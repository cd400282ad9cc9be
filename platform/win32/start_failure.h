// The French message a start that failed shows: what failed, and its code.
#pragma once

#include <system_error>

#include "base/core_types.h"

namespace brumelis {

Text StartFailureText(const std::system_error& failure);

}  // namespace brumelis
