// One copy of the brumelis program on a Wayland desktop, started by the
// driver as the session's user and ended by its process id. Its toolbar (a
// layer surface that no desktop lists as a window it can act on) and the
// controls of its message boxes are read over AT-SPI; each desktop finds the
// box's window and answers it with its own pointer.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "tests/scenarios/driver.h"
#include "tests/support/accessible_tree.h"
#include "tests/support/child_program.h"

namespace brumelis::wayland_tests {

// The toolbar of the copy with this process id, as the drivers name it:
// apart from every window id the desktops give.
scenarios::WindowId ToolbarIdOf(long pid);
bool IsToolbarId(scenarios::WindowId window);

class WaylandCopy : public scenarios::ToolbarCopy {
public:
    bool Started() const override { return program_.Started(); }
    bool IsRunning() override { return program_.IsRunning(); }
    bool WaitForExit() override;
    std::optional<int> ExitCode() override { return program_.ExitCode(); }
    scenarios::WindowId Toolbar() override;
    std::optional<std::string> PinCaption() override;

protected:
    // Pause: the desktop's wait between two looks at a state; changes: to
    // its environment (ChildProgram).
    explicit WaylandCopy(std::function<void()> pause,
                         const std::map<std::string, std::string>& changes = {});

    bool WaitUntil(const std::function<bool()>& condition);
    // The box's text and buttons, left to right, under the title it has.
    void ReadControls(scenarios::MessageBoxReading& reading);
    // The button giving the answer, where it lies in the box titled so.
    std::optional<test_support::AccessibleButton> ButtonFor(const std::string& title,
                                                            scenarios::Answer answer);

    test_support::ChildProgram program_;

private:
    std::function<void()> pause_;
};

}  // namespace brumelis::wayland_tests
