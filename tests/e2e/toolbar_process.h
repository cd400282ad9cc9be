// A copy of the toolbar program started for one test and ended by its
// process handle when the test lets go of it, whatever the test's outcome.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

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
    bool WaitForExit(test_support::Milliseconds timeout = test_support::kStateTimeout) const;
    DWORD ExitCode() const;

    // Top-level windows of the process whose title is the toolbar's caption:
    // the toolbar and its hidden owner.
    std::vector<HWND> WindowsWithCaption() const;
    // The toolbar: the visible popup among them; null while there is none.
    HWND FindToolbar() const;
    HWND WaitForToolbar(test_support::Milliseconds timeout = test_support::kStartTimeout) const;

private:
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;  // until resumed
    DWORD processId_ = 0;
    std::wstring startError_;
};

}  // namespace brumelis::e2e
