// A copy of the program in the KWin session (tests/wayland/wayland_copy.h).
// KWin lists its toolbar (a layer surface, taking no input) and its message
// boxes among its windows; the boxes are answered with the fake pointer.
#pragma once

#include "tests/wayland/wayland_copy.h"

namespace brumelis::kwin_tests {

// The driver's names for the windows of a process: a target is named by its
// process id, the toolbar and the message box of a copy apart from it.
using wayland_tests::IsToolbarId;
using wayland_tests::ToolbarIdOf;
scenarios::WindowId BoxIdOf(long pid);
long ProcessOf(scenarios::WindowId window);

class KWinCopy : public wayland_tests::WaylandCopy {
public:
    explicit KWinCopy(const std::map<std::string, std::string>& changes = {});

    std::optional<scenarios::MessageBoxReading> Box() override;
    bool Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) override;
};

}  // namespace brumelis::kwin_tests
