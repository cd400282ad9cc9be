// One copy of the brumelis program in the sway session, started by the
// driver as the session's user and ended by its process id. Its toolbar is
// a layer surface that sway lists to nobody: the copy's accessible windows
// tell whether it shows one (the driver finds where on the screen); its
// message boxes are ordinary windows of its process in sway's tree, read
// over AT-SPI and answered with the virtual pointer.
#pragma once

#include "tests/scenarios/driver.h"
#include "tests/support/child_program.h"

namespace brumelis::sway_tests {

// The toolbar of the copy with this process id, as the driver names it:
// apart from every sway container id.
scenarios::WindowId ToolbarIdOf(int pid);
bool IsToolbarId(scenarios::WindowId window);

class SwayCopy : public scenarios::ToolbarCopy {
public:
    SwayCopy();

    bool Started() const override { return program_.Started(); }
    bool IsRunning() override { return program_.IsRunning(); }
    bool WaitForExit() override;
    std::optional<int> ExitCode() override { return program_.ExitCode(); }
    scenarios::WindowId Toolbar() override;
    std::optional<std::string> PinCaption() override;
    std::optional<scenarios::MessageBoxReading> Box() override;
    bool Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) override;

private:
    test_support::ChildProgram program_;
};

}  // namespace brumelis::sway_tests
