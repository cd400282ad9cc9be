// The child run of the GTK toolkit tests' program: the toolbar with a
// handler that fails in its first tick (its switch and exit codes are the
// Win32 test program's).
#pragma once

#include "tests/platform/failing_handler_child.h"

namespace brumelis::x11_tests {

using platform_tests::kFailingHandlerSwitch;
using platform_tests::kHandlerRanAfterFailure;
using platform_tests::kLoopEndedByItself;
using platform_tests::kToolbarNotBuilt;

// Runs the child; returns only when the toolkit did not end the process.
int RunToolbarWithFailingHandler();

}  // namespace brumelis::x11_tests
