// Reads a program's controls as a screen reader does: over the accessibility
// bus (AT-SPI) that scripts/x11-env.sh starts beside the session bus.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace brumelis::x11_tests {

// The accessible name of the one push button inside the program's windows
// named `windowName`; none when the bus, the program, the window or a single
// such button cannot be found.
std::optional<std::string> PushButtonName(pid_t program, const std::string& windowName);

}  // namespace brumelis::x11_tests
