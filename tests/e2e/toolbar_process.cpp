#include "tests/e2e/toolbar_process.h"

#include <cstdio>

#include "tests/e2e/e2e_options.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using namespace test_support;
namespace {

const wchar_t kToolbarCaption[] = L"BrumelisZOLVEC";

// Every toolbar started here belongs to one job that ends them all when the
// driver ends, however it ends.
HANDLE DriverJob() {
    static const HANDLE job = [] {
        HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return created;
    }();
    return job;
}

}  // namespace

ToolbarProcess::ToolbarProcess(Start start) {
    std::wstring commandLine = L"\"" + TheOptions().brumelisPath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Under Wine a start failed once in about a hundred, cause not found; a
    // second attempt is the driver's business, not the program's.
    for (int attempt = 0; attempt < 3 && info.hProcess == nullptr; ++attempt) {
        if (attempt > 0) PumpMessagesFor(Milliseconds{200});
        if (!CreateProcessW(TheOptions().brumelisPath.c_str(), commandLine.data(), nullptr, nullptr,
                            FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup, &info))
            startError_ +=
                L"CreateProcess failed with error " + std::to_wstring(GetLastError()) + L"; ";
    }
    if (info.hProcess == nullptr) return;
    if (!startError_.empty()) std::fwprintf(stderr, L"started after: %ls\n", startError_.c_str());
    AssignProcessToJobObject(DriverJob(), info.hProcess);
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    thread_ = info.hThread;
    if (start == Start::Running) Resume();
}

void ToolbarProcess::Resume() {
    if (thread_ == nullptr) return;
    ResumeThread(thread_);
    CloseHandle(thread_);
    thread_ = nullptr;
}

ToolbarProcess::~ToolbarProcess() {
    if (process_ == nullptr) return;
    if (IsRunning()) TerminateProcess(process_, 1);
    if (thread_ != nullptr) CloseHandle(thread_);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
}

bool ToolbarProcess::IsRunning() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ToolbarProcess::WaitForExit(Milliseconds timeout) const {
    return process_ != nullptr && WaitUntil([&] { return !IsRunning(); }, timeout);
}

DWORD ToolbarProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_ != nullptr) GetExitCodeProcess(process_, &code);
    return code;
}

std::vector<HWND> ToolbarProcess::WindowsWithCaption() const {
    std::vector<HWND> matches;
    for (HWND window : TopLevelWindowsOf(processId_))
        if (WindowText(window) == kToolbarCaption) matches.push_back(window);
    return matches;
}

HWND ToolbarProcess::FindToolbar() const {
    for (HWND window : WindowsWithCaption()) {
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        if ((style & WS_POPUP) != 0 && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND ToolbarProcess::WaitForToolbar(Milliseconds timeout) const {
    HWND toolbar = nullptr;
    WaitUntil(
        [&] {
            toolbar = FindToolbar();
            return toolbar != nullptr || !IsRunning();
        },
        timeout);
    return toolbar;
}

}  // namespace brumelis::e2e
