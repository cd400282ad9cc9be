#include "tests/x11/e2e/toolbar_program.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "tests/x11/e2e/accessible_tree.h"
#include "tests/x11/support/wait.h"

extern char** environ;

namespace brumelis::x11_tests {

namespace {

std::vector<std::string> ChildEnvironment(std::map<std::string, std::string> changes) {
    changes["LC_ALL"] = "C.UTF-8";
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        const std::string name = entry.substr(0, entry.find('='));
        if (name.rfind("LC_", 0) == 0 || name.rfind("LANG", 0) == 0 || changes.count(name) != 0)
            continue;
        variables.push_back(entry);
    }
    for (const auto& [name, value] : changes) {
        if (!value.empty()) variables.push_back(name + "=" + value);
    }
    return variables;
}

}  // namespace

ToolbarProgram::ToolbarProgram(XSession& x, const std::map<std::string, std::string>& changes)
    : x_(x) {
    char errorFile[] = "/tmp/brumelis-e2e-stderr.XXXXXX";
    const int errors = mkstemp(errorFile);
    if (errors >= 0) {
        close(errors);
        errorFile_ = errorFile;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!errorFile_.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile_.c_str(),
                                         O_WRONLY | O_TRUNC, 0600);
    }
    std::vector<std::string> variables = ChildEnvironment(changes);
    std::vector<char*> environment;
    for (std::string& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string program = BRUMELIS_PROGRAM;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, BRUMELIS_PROGRAM, &actions, nullptr, argv, environment.data()) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
}

std::string ToolbarProgram::ErrorOutput() const {
    std::ifstream file(errorFile_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

ToolbarProgram::~ToolbarProgram() {
    if (pid_ > 0 && IsRunning()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (!errorFile_.empty()) unlink(errorFile_.c_str());
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

scenarios::WindowId ToolbarProgram::Toolbar() {
    for (XWindowId window : x_.WindowsOfProcess(static_cast<std::uint32_t>(pid_))) {
        if (x_.IsOverrideRedirect(window) && x_.IsMappedAndViewable(window) &&
            x_.Title(window) == std::string("BrumelisZOLVEC"))
            return window;
    }
    return 0;
}

std::optional<std::string> ToolbarProgram::PinCaption() {
    return PushButtonName(pid_, "BrumelisZOLVEC");
}

XWindowId ToolbarProgram::FindBox() const {
    for (XWindowId window : x_.WindowsOfProcess(static_cast<std::uint32_t>(pid_))) {
        if (!x_.IsOverrideRedirect(window) && x_.IsMappedAndViewable(window)) return window;
    }
    return 0;
}

XWindowId ToolbarProgram::WaitForBox() const {
    XWindowId found = 0;
    WaitUntil([&] { return (found = FindBox()) != 0; });
    return found;
}

std::optional<scenarios::MessageBoxReading> ToolbarProgram::Box() {
    const XWindowId box = FindBox();
    if (box == 0) return std::nullopt;
    scenarios::MessageBoxReading reading;
    reading.window = box;
    reading.title = x_.Title(box).value_or("");
    return reading;
}

// With the keys GTK gives the buttons in the C locale, once the window
// manager has made the box active.
bool ToolbarProgram::Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) {
    if (answer == scenarios::Answer::Other || !x_.ActivateAndWait(box.window)) return false;
    if (answer == scenarios::Answer::Ok) x_.Key("Return");
    if (answer == scenarios::Answer::Yes) x_.Key("y", {"Alt_L"});
    if (answer == scenarios::Answer::No) x_.Key("n", {"Alt_L"});
    return true;
}

}  // namespace brumelis::x11_tests
