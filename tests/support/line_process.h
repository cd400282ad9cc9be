// A helper program of the Linux suites (a target window, the virtual
// pointer) running beside the test, spoken to in lines on its input and
// output. Ended (its input closed, killed if it lingers) when let go of.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace brumelis::test_support {

class LineProcess {
public:
    // Null when the program could not be started.
    static std::unique_ptr<LineProcess> Start(const std::vector<std::string>& arguments);
    ~LineProcess();
    LineProcess(const LineProcess&) = delete;
    LineProcess& operator=(const LineProcess&) = delete;

    bool Send(const std::string& line);
    // The next line the program prints; false at the deadline or at its end.
    bool ReadLine(std::string& line, std::chrono::milliseconds deadline = std::chrono::seconds(15));
    // Reads lines until one equals `wanted`.
    bool WaitForLine(const std::string& wanted,
                     std::chrono::milliseconds deadline = std::chrono::seconds(15));
    pid_t Pid() const { return pid_; }

private:
    LineProcess(pid_t pid, int input, int output) : pid_(pid), input_(input), output_(output) {}

    pid_t pid_;
    int input_;
    int output_;
    std::string pending_;
    bool outputEnded_ = false;
};

}  // namespace brumelis::test_support
