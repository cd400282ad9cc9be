// One copy of the brumelis program in the KWin session, started by the
// driver as the session's user and ended by its process id. KWin lists its
// toolbar (a layer surface, taking no input) and its message boxes among its
// windows; their controls are read over AT-SPI and the boxes answered with
// the fake pointer.
#pragma once

#include "tests/scenarios/driver.h"
#include "tests/support/child_program.h"

namespace brumelis::kwin_tests {

// The driver's names for the windows of a process: a target is named by its
// process id, the toolbar and the message box of a copy apart from it.
scenarios::WindowId ToolbarIdOf(long pid);
scenarios::WindowId BoxIdOf(long pid);
bool IsToolbarId(scenarios::WindowId window);
long ProcessOf(scenarios::WindowId window);

class KWinCopy : public scenarios::ToolbarCopy {
public:
    KWinCopy();

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

}  // namespace brumelis::kwin_tests
