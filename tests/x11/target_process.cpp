#include "tests/x11/target_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace brumelis::x11_tests {

namespace {

constexpr auto kDeadline = std::chrono::seconds(15);

}  // namespace

std::unique_ptr<TargetProcess> TargetProcess::Start(const TargetOptions& options) {
    // A program that died must not take the test with it on the next write.
    // The pipes are closed on exec: a second program must not hold the
    // first one's ends open.
    signal(SIGPIPE, SIG_IGN);
    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0) return nullptr;
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, toChild[1]);
    posix_spawn_file_actions_addclose(&actions, fromChild[0]);
    std::vector<std::string> arguments = TargetArguments(options);
    arguments.insert(arguments.begin(), BRUMELIS_X11_TARGET);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, BRUMELIS_X11_TARGET, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    if (spawned != 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return nullptr;
    }
    std::unique_ptr<TargetProcess> target(new TargetProcess(pid, toChild[1], fromChild[0]));
    std::string line;
    if (!target->ReadLine(line)) return nullptr;
    target->window_ = std::stoul(line);
    return target;
}

TargetProcess::~TargetProcess() {
    // The end of its input ends the program; one that does not is killed.
    close(input_);
    std::string line;
    while (ReadLine(line)) {
    }
    // Its output ends with it; still open at the deadline, it is stuck.
    if (!outputEnded_) kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    close(output_);
}

bool TargetProcess::ReadLine(std::string& line) {
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd output{output_, POLLIN, 0};
        if (poll(&output, 1, static_cast<int>(left.count())) <= 0) continue;
        char chunk[256];
        const ssize_t count = read(output_, chunk, sizeof chunk);
        if (count <= 0) {
            outputEnded_ = true;
            return false;
        }
        pending_.append(chunk, static_cast<std::size_t>(count));
    }
}

bool TargetProcess::Send(const char* command) {
    const std::string line = std::string(command) + "\n";
    return write(input_, line.data(), line.size()) == static_cast<ssize_t>(line.size());
}

bool TargetProcess::Destroy() {
    std::string line;
    return Send("destroy") && ReadLine(line) && line == "gone";
}

}  // namespace brumelis::x11_tests
