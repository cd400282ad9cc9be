#include "tests/x11/target_options.h"

#include <cstdio>
#include <cstring>

namespace brumelis::x11_tests {

std::vector<std::string> TargetArguments(const TargetOptions& options) {
    const ScreenRect& r = options.rect;
    std::vector<std::string> arguments = {
        "--title=" + options.title,
        "--rect=" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
            std::to_string(r.right) + "," + std::to_string(r.bottom),
        "--name=" + options.name,
        "--colour=" + std::to_string(options.colour),
    };
    if (options.hidden) arguments.emplace_back("--hidden");
    if (options.overrideRedirect) arguments.emplace_back("--override-redirect");
    if (options.decorated) arguments.emplace_back("--decorated");
    return arguments;
}

bool ParseTargetOptions(int argc, char** argv, TargetOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto value = [&](const char* prefix) -> const char* {
            const std::size_t length = std::strlen(prefix);
            return argument.compare(0, length, prefix) == 0 ? argv[i] + length : nullptr;
        };
        ScreenRect& r = options.rect;
        if (const char* title = value("--title=")) {
            options.title = title;
        } else if (const char* rect = value("--rect=")) {
            if (std::sscanf(rect, "%d,%d,%d,%d", &r.left, &r.top, &r.right, &r.bottom) != 4) {
                return false;
            }
        } else if (const char* colour = value("--colour=")) {
            options.colour = std::stoul(colour);
        } else if (const char* name = value("--name=")) {
            options.name = name;
        } else if (argument == "--hidden") {
            options.hidden = true;
        } else if (argument == "--override-redirect") {
            options.overrideRedirect = true;
        } else if (argument == "--decorated") {
            options.decorated = true;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace brumelis::x11_tests
