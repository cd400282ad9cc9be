#include "tests/x11/e2e/toolbar_program.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/x11/support/wait.h"

extern char** environ;

namespace brumelis::x11_tests {

namespace {

std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::strncmp(*variable, "LC_", 3) == 0 || std::strncmp(*variable, "LANG", 4) == 0)
            continue;
        variables.emplace_back(*variable);
    }
    variables.emplace_back("LC_ALL=C.UTF-8");
    return variables;
}

}  // namespace

ToolbarProgram::ToolbarProgram(const XSession& x) : x_(x) {
    std::vector<std::string> variables = ChildEnvironment();
    std::vector<char*> environment;
    for (std::string& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string program = BRUMELIS_PROGRAM;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, BRUMELIS_PROGRAM, nullptr, nullptr, argv, environment.data()) == 0)
        pid_ = pid;
}

ToolbarProgram::~ToolbarProgram() {
    if (pid_ > 0 && IsRunning()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool ToolbarProgram::IsRunning() {
    if (pid_ <= 0 || exitCode_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

bool ToolbarProgram::WaitForExit() {
    return WaitUntil([&] { return !IsRunning(); });
}

XWindowId ToolbarProgram::FindToolbar() const {
    for (XWindowId window : x_.WindowsOfProcess(static_cast<std::uint32_t>(pid_))) {
        if (x_.IsOverrideRedirect(window) && x_.IsMappedAndViewable(window) &&
            x_.Title(window) == std::string("BrumelisZOLVEC"))
            return window;
    }
    return 0;
}

XWindowId ToolbarProgram::WaitForToolbar() const {
    XWindowId found = 0;
    WaitUntil([&] { return (found = FindToolbar()) != 0; });
    return found;
}

XWindowId ToolbarProgram::FindBox(const std::string& title) const {
    for (XWindowId window : x_.WindowsOfProcess(static_cast<std::uint32_t>(pid_))) {
        if (!x_.IsOverrideRedirect(window) && x_.IsMappedAndViewable(window) &&
            x_.Title(window) == title)
            return window;
    }
    return 0;
}

XWindowId ToolbarProgram::WaitForBox(const std::string& title) const {
    XWindowId found = 0;
    WaitUntil([&] { return (found = FindBox(title)) != 0; });
    return found;
}

}  // namespace brumelis::x11_tests
