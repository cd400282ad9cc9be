// A copy of the toolbar program started for one test and ended by its
// process handle when the test lets go of it, whatever the test's outcome.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/wait.h"

namespace e2e {

class ToolbarProcess {
public:
    enum class Start { Running, Suspended };

    // Starts the program named by --brumelis; Started() tells whether it did.
    // A suspended start runs no code of the program until Resume().
    explicit ToolbarProcess(Start start = Start::Running);
    ~ToolbarProcess();
    ToolbarProcess(const ToolbarProcess&) = delete;
    ToolbarProcess& operator=(const ToolbarProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    void Resume();
    const std::wstring& StartError() const { return startError_; }
    DWORD Id() const { return processId_; }
    bool IsRunning() const;
    bool WaitForExit(Milliseconds timeout = kStateTimeout) const;
    DWORD ExitCode() const;

    // Top-level windows of the process whose title is the toolbar's caption:
    // the toolbar and its hidden owner.
    std::vector<HWND> WindowsWithCaption() const;
    // The toolbar: the visible popup among them; null while there is none.
    HWND FindToolbar() const;
    HWND WaitForToolbar(Milliseconds timeout = kStartTimeout) const;

private:
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;  // until resumed
    DWORD processId_ = 0;
    std::wstring startError_;
};

}  // namespace e2e
