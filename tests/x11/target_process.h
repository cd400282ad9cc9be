// One target program (brumelis_x11_target) running beside the test: another
// process's window, as the toolbar meets them.
#pragma once

#include <sys/types.h>

#include <memory>

#include "tests/x11/target_options.h"

namespace brumelis::x11_tests {

class TargetProcess {
public:
    // Starts the program and waits until its window is in place; null when
    // it did not get there (the reason is on the test's error output).
    static std::unique_ptr<TargetProcess> Start(const TargetOptions& options);
    // Ends the program.
    ~TargetProcess();
    TargetProcess(const TargetProcess&) = delete;
    TargetProcess& operator=(const TargetProcess&) = delete;

    unsigned long Id() const { return window_; }
    // Has the program destroy its window; true once the server has done so.
    bool Destroy();

private:
    TargetProcess(pid_t pid, int input, int output) : pid_(pid), input_(input), output_(output) {}
    // The next line the program prints, waiting for it up to the deadline.
    bool ReadLine(std::string& line);
    bool Send(const char* command);

    pid_t pid_;
    int input_;
    int output_;
    unsigned long window_ = 0;
    std::string pending_;
    bool outputEnded_ = false;
};

}  // namespace brumelis::x11_tests
