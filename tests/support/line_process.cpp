#include "tests/support/line_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace brumelis::test_support {

std::unique_ptr<LineProcess> LineProcess::Start(const std::vector<std::string>& arguments) {
    // A program that died must not take the test with it on the next write;
    // the pipes close on exec, so that a second program cannot hold the
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
    std::vector<std::string> copies = arguments;
    std::vector<char*> argv;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    if (spawned != 0) {
        close(toChild[1]);
        close(fromChild[0]);
        return nullptr;
    }
    return std::unique_ptr<LineProcess>(new LineProcess(pid, toChild[1], fromChild[0]));
}

LineProcess::~LineProcess() {
    close(input_);
    std::string line;
    while (ReadLine(line, std::chrono::seconds(5))) {
    }
    // Its output ends with it; still open at the deadline, it is stuck.
    if (!outputEnded_) kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    close(output_);
}

bool LineProcess::Send(const std::string& line) {
    const std::string framed = line + "\n";
    return write(input_, framed.data(), framed.size()) == static_cast<ssize_t>(framed.size());
}

bool LineProcess::ReadLine(std::string& line, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        const std::size_t newline = pending_.find('\n');
        if (newline != std::string::npos) {
            line = pending_.substr(0, newline);
            pending_.erase(0, newline + 1);
            return true;
        }
        if (outputEnded_) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd output{output_, POLLIN, 0};
        if (poll(&output, 1, static_cast<int>(left.count())) <= 0) continue;
        char chunk[512];
        const ssize_t count = read(output_, chunk, sizeof chunk);
        if (count <= 0) {
            outputEnded_ = true;
            continue;
        }
        pending_.append(chunk, static_cast<std::size_t>(count));
    }
}

bool LineProcess::WaitForLine(const std::string& wanted, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    std::string line;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !ReadLine(line, left)) return false;
        if (line == wanted) return true;
    }
}

}  // namespace brumelis::test_support
