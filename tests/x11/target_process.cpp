#include "tests/x11/target_process.h"

#include <string>
#include <vector>

namespace brumelis::x11_tests {

// Its first line is its window's id, once the window is in place.
std::unique_ptr<TargetProcess> TargetProcess::Start(const TargetOptions& options) {
    std::vector<std::string> arguments = TargetArguments(options);
    arguments.insert(arguments.begin(), BRUMELIS_X11_TARGET);
    auto process = test_support::LineProcess::Start(arguments);
    std::string line;
    if (!process || !process->ReadLine(line)) return nullptr;
    const unsigned long window = std::stoul(line);
    return std::unique_ptr<TargetProcess>(new TargetProcess(std::move(process), window));
}

bool TargetProcess::Destroy() {
    std::string line;
    return process_->Send("destroy") && process_->ReadLine(line) && line == "gone";
}

}  // namespace brumelis::x11_tests
