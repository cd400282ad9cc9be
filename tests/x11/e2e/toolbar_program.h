// One copy of the brumelis program, started by the end-to-end tests and
// ended by its process id; its windows found by their _NET_WM_PID.
#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>

#include "tests/x11/support/x_session.h"

namespace brumelis::x11_tests {

class ToolbarProgram {
public:
    // Starts the program on the tests' display, in the C locale so that GTK
    // labels its buttons in English (_Yes, _No, _OK). Variables set to an
    // empty text are removed from its environment. Its error output goes to
    // a file, read by ErrorOutput.
    explicit ToolbarProgram(const XSession& x,
                            const std::map<std::string, std::string>& changes = {});
    // Kills the program if it still runs.
    ~ToolbarProgram();
    ToolbarProgram(const ToolbarProgram&) = delete;
    ToolbarProgram& operator=(const ToolbarProgram&) = delete;

    bool Started() const { return pid_ > 0; }
    pid_t Id() const { return pid_; }
    bool IsRunning();
    // True once the program has ended by itself before the deadline.
    bool WaitForExit();
    std::optional<int> ExitCode() const { return exitCode_; }
    std::string ErrorOutput() const;

    // Its override-redirect toolbar bearing the caption, once shown; 0 when
    // there is none.
    XWindowId FindToolbar() const;
    XWindowId WaitForToolbar() const;
    // A shown window of the program that the window manager manages: a
    // message box; 0 when there is none.
    XWindowId FindBox() const;
    XWindowId WaitForBox() const;

private:
    const XSession& x_;
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
    std::string errorFile_;
};

}  // namespace brumelis::x11_tests
