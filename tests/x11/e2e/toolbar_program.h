// One copy of the brumelis program, started by the end-to-end tests and
// ended by its process id; its windows found by their _NET_WM_PID and read
// as any X client can.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "tests/scenarios/driver.h"
#include "tests/support/child_program.h"
#include "tests/x11/support/x_session.h"

namespace brumelis::x11_tests {

class ToolbarProgram : public scenarios::ToolbarCopy {
public:
    // Starts the program on the tests' display, in the C locale so that GTK
    // labels its buttons in English (_Yes, _No, _OK). Variables set to an
    // empty text are removed from its environment. Killed when let go of.
    explicit ToolbarProgram(XSession& x, const std::map<std::string, std::string>& changes = {});
    std::string ErrorOutput() const { return program_.ErrorOutput(); }
    pid_t Pid() const { return program_.Pid(); }
    // A shown window of the program that the window manager manages: a
    // message box; 0 when there is none.
    XWindowId FindBox() const;
    XWindowId WaitForBox() const;

    bool Started() const override { return program_.Started(); }
    bool IsRunning() override { return program_.IsRunning(); }
    bool WaitForExit() override;
    std::optional<int> ExitCode() override { return program_.ExitCode(); }
    // Its override-redirect window bearing the caption, once shown.
    scenarios::WindowId Toolbar() override;
    // As a screen reader reads it: the accessible name of the toolbar's push
    // button, over AT-SPI.
    std::optional<std::string> PinCaption() override;
    std::optional<int> SliderValue() override;
    // Only the title of a GTK message box shows to other clients.
    std::optional<scenarios::MessageBoxReading> Box() override;
    bool Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) override;

private:
    XSession& x_;
    test_support::ChildProgram program_;
};

}  // namespace brumelis::x11_tests
