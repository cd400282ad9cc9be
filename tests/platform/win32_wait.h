// The platform tests wait with the shared deadline helpers.
#pragma once

// The core's headers must come before <windows.h>, whose macros share names
// with their constants.
#include "platform/win32/win32_support.h"
#include "tests/support/win32_wait.h"

namespace brumelis::platform_tests {

using test_support::HoldsFor;
using test_support::kStateTimeout;
using test_support::Milliseconds;
using test_support::PumpMessagesFor;
using test_support::WaitUntil;

}  // namespace brumelis::platform_tests
