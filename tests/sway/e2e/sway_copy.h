// A copy of the program in the sway session (tests/wayland/wayland_copy.h).
// Its toolbar is a layer surface that sway lists to nobody: the copy's
// accessible windows tell whether it shows one (the driver finds where on the
// screen); its message boxes are ordinary windows of its process in sway's
// tree, answered with the virtual pointer.
#pragma once

#include "tests/wayland/wayland_copy.h"

namespace brumelis::sway_tests {

using wayland_tests::IsToolbarId;
using wayland_tests::ToolbarIdOf;

class SwayCopy : public wayland_tests::WaylandCopy {
public:
    explicit SwayCopy(const std::map<std::string, std::string>& changes = {});

    std::optional<scenarios::MessageBoxReading> Box() override;
    bool Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) override;
};

}  // namespace brumelis::sway_tests
