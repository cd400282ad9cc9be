// One target program (brumelis_x11_target) running beside the test: another
// process's window, as the toolbar meets them.
#pragma once

#include <memory>

#include "tests/support/line_process.h"
#include "tests/x11/target_options.h"

namespace brumelis::x11_tests {

class TargetProcess {
public:
    // Starts the program and waits until its window is in place; null when
    // it did not get there (the reason is on the test's error output).
    static std::unique_ptr<TargetProcess> Start(const TargetOptions& options);

    unsigned long Id() const { return window_; }
    // Has the program destroy its window; true once the server has done so.
    bool Destroy();

private:
    TargetProcess(std::unique_ptr<test_support::LineProcess> process, unsigned long window)
        : process_(std::move(process)), window_(window) {}

    std::unique_ptr<test_support::LineProcess> process_;  // ended with the target
    unsigned long window_;
};

}  // namespace brumelis::x11_tests
