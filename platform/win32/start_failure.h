// The French message a start that failed shows: what failed, and its code.
#pragma once

#include "base/core_types.h"
#include "platform/win32/system_refusal.h"

namespace brumelis {

Text StartFailureText(const SystemRefusal& failure);

}  // namespace brumelis
