#include "tests/support/child_program.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <vector>

extern char** environ;

namespace brumelis::test_support {

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

ChildProgram::ChildProgram(const std::string& program,
                           const std::map<std::string, std::string>& changes) {
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
    std::string path = program;
    char* argv[] = {path.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environment.data()) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProgram::~ChildProgram() {
    if (pid_ > 0 && IsRunning()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (!errorFile_.empty()) unlink(errorFile_.c_str());
}

bool ChildProgram::IsRunning() {
    if (pid_ <= 0 || exitCode_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

std::string ChildProgram::ErrorOutput() const {
    std::ifstream file(errorFile_);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace brumelis::test_support
