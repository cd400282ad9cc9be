// Reads a program's windows and controls as a screen reader does: over the
// accessibility bus (AT-SPI) that the test environments start beside the
// session bus (scripts/x11-env.sh, scripts/sway-env.sh).
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace brumelis::test_support {

// A push button as read: its accessible name, its extent within its window,
// and whether it is the window's default.
struct AccessibleButton {
    std::string name;
    int x = 0, y = 0, width = 0, height = 0;
    bool isDefault = false;
};

// What was read inside the program's windows named `windowName`; none when
// the bus, the program or such a window cannot be found.
// A slider as read: its accessible name and current value.
struct AccessibleSlider {
    std::string name;
    double value = -1;
};

struct AccessibleWindow {
    bool showing = false;
    std::vector<AccessibleButton> buttons;  // in tree order
    std::vector<std::string> labels;        // shown label texts outside buttons
    std::vector<AccessibleSlider> sliders;
};
std::optional<AccessibleWindow> ReadWindow(pid_t program, const std::string& windowName);

// The accessible name of the one push button inside the program's windows
// named `windowName`; none when the bus, the program, the window or a single
// such button cannot be found.
std::optional<std::string> PushButtonName(pid_t program, const std::string& windowName);

}  // namespace brumelis::test_support
