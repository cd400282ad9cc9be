// What a target window of the X11 suites looks like, and its command line:
// the suites write it, the target program reads it.
#pragma once

#include <string>
#include <vector>

#include "base/core_types.h"

namespace brumelis::x11_tests {

struct TargetOptions {
    std::string title;  // UTF-8
    ScreenRect rect{40, 50, 240, 170};
    bool hidden = false;
    bool overrideRedirect = false;
    bool decorated = false;
    // Which title properties it gets: both, utf8 (_NET_WM_NAME only),
    // latin1 or compound (WM_NAME only, as STRING or COMPOUND_TEXT), none.
    std::string name = "both";
    unsigned long colour = 0x3366CC;  // its background, as 0xRRGGBB
};

std::vector<std::string> TargetArguments(const TargetOptions& options);
// False on an argument it does not know.
bool ParseTargetOptions(int argc, char** argv, TargetOptions& options);

}  // namespace brumelis::x11_tests
