// The child run of the GTK toolkit tests' program: the toolbar with a
// handler that fails in its first tick. The toolkit's reaction ends the
// process, so it cannot be watched in the test's own.
#pragma once

namespace brumelis::x11_tests {

inline constexpr char kFailingHandlerSwitch[] = "--run-toolbar-with-failing-handler";

// Exit codes of the child beside the toolkit's own 0.
inline constexpr int kHandlerRanAfterFailure = 3;
inline constexpr int kLoopEndedByItself = 4;
inline constexpr int kToolbarNotBuilt = 5;

// Runs the child; returns only when the toolkit did not end the process.
int RunToolbarWithFailingHandler();

}  // namespace brumelis::x11_tests
