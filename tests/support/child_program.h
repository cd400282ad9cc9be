// A program the Linux end-to-end tests start, in the C locale so that GTK
// labels its buttons in English (Yes, No, OK); its error output goes to a
// file. Killed when let go of if it still runs.
#pragma once

#include <sys/types.h>

#include <map>
#include <optional>
#include <string>

namespace brumelis::test_support {

class ChildProgram {
public:
    // Variables set to an empty text are removed from its environment.
    ChildProgram(const std::string& program, const std::map<std::string, std::string>& changes);
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    pid_t Pid() const { return pid_; }
    bool Started() const { return pid_ > 0; }
    bool IsRunning();
    // Its status once ended (128 + the signal when killed).
    std::optional<int> ExitCode() const { return exitCode_; }
    std::string ErrorOutput() const;

private:
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
    std::string errorFile_;
};

}  // namespace brumelis::test_support
