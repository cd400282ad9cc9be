// The child run of the toolkit tests' programs (Win32 and GTK): the toolbar with a
// handler that fails in its first tick. The toolkit's reaction ends the
// process, so it cannot be watched in the test's own.
#pragma once

namespace brumelis::platform_tests {

// The only argument of the child run.
inline constexpr char kFailingHandlerSwitch[] = "--run-toolbar-with-failing-handler";

// Exit codes of the child beside the toolkit's own 0.
inline constexpr int kHandlerRanAfterFailure = 3;
inline constexpr int kLoopEndedByItself = 4;
inline constexpr int kToolbarNotBuilt = 5;

}  // namespace brumelis::platform_tests
