// A copy of the toolbar program started for one test and ended by its
// process handle when the test lets go of it, whatever the test's outcome;
// read through the calls any program can make.
#pragma once

#include <windows.h>

#include <string>

#include "tests/scenarios/driver.h"

namespace brumelis::e2e {

class ToolbarProcess : public scenarios::ToolbarCopy {
public:
    enum class Start { Running, Suspended };

    // Starts the program named by --brumelis; Started() tells whether it did.
    // A suspended start runs no code of the program until Resume().
    explicit ToolbarProcess(Start start = Start::Running);
    ~ToolbarProcess() override;
    ToolbarProcess(const ToolbarProcess&) = delete;
    ToolbarProcess& operator=(const ToolbarProcess&) = delete;

    void Resume();
    const std::wstring& StartError() const { return startError_; }
    DWORD Id() const { return processId_; }
    // The visible popup of the process bearing the toolbar's caption (its
    // hidden owner bears it too); null while there is none.
    HWND FindToolbar() const;

    bool Started() const override { return process_ != nullptr; }
    bool IsRunning() override;
    bool WaitForExit() override;
    std::optional<int> ExitCode() override;
    scenarios::WindowId Toolbar() override;
    std::optional<std::string> PinCaption() override;
    std::optional<int> SliderValue() override;
    std::optional<scenarios::MessageBoxReading> Box() override;
    bool Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) override;

private:
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;  // until resumed
    DWORD processId_ = 0;
    std::wstring startError_;
};

}  // namespace brumelis::e2e
