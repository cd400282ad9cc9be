#include "tests/e2e/toolbar_process.h"

#include <oleacc.h>

#include <cstdio>
#include <cwchar>

#include "tests/e2e/accessible_reading.h"
#include "tests/e2e/e2e_options.h"
#include "tests/e2e/message_box.h"
#include "tests/e2e/win32_driver.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using namespace test_support;
using scenarios::Answer;
using scenarios::MessageBoxReading;
using scenarios::WindowId;

namespace {

const wchar_t kToolbarCaption[] = L"BrumelisZOLVEC";

constexpr std::pair<Answer, int> kDialogIds[] = {
    {Answer::Ok, IDOK}, {Answer::Yes, IDYES}, {Answer::No, IDNO}};

Answer AnswerOf(int dialogId) {
    for (const auto& [answer, id] : kDialogIds)
        if (id == dialogId) return answer;
    return Answer::Other;
}

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

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

bool ToolbarProcess::IsRunning() {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool ToolbarProcess::WaitForExit() {
    return process_ != nullptr && WaitUntil([&] { return !IsRunning(); });
}

std::optional<int> ToolbarProcess::ExitCode() {
    DWORD code = STILL_ACTIVE;
    if (process_ == nullptr || IsRunning() || !GetExitCodeProcess(process_, &code))
        return std::nullopt;
    return static_cast<int>(code);
}

HWND ToolbarProcess::FindToolbar() const {
    for (HWND window : TopLevelWindowsOf(processId_)) {
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        if (WindowText(window) == kToolbarCaption && (style & WS_POPUP) != 0 &&
            IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

WindowId ToolbarProcess::Toolbar() {
    return IdOf(FindToolbar());
}

// The text user32 keeps for the button, which is the one it draws; no
// reading without a toolbar and its button.
std::optional<std::string> ToolbarProcess::PinCaption() {
    const HWND button = PinButtonOf(FindToolbar());
    if (button == nullptr) return std::nullopt;
    return Utf8(WindowText(button));
}

// Read only under the slider's French name and role, a whole number alone.
std::optional<int> ToolbarProcess::SliderValue() {
    for (const AccessibleReading& control : ReadControls(FindToolbar())) {
        if (control.name != L"Opacité de la fenêtre" || control.role != ROLE_SYSTEM_SLIDER)
            continue;
        wchar_t* end = nullptr;
        const long value = std::wcstol(control.value.c_str(), &end, 10);
        if (control.value.empty() || *end != L'\0') return std::nullopt;
        return static_cast<int>(value);
    }
    return std::nullopt;
}

std::optional<MessageBoxReading> ToolbarProcess::Box() {
    const HWND dialog = FindMessageBox(processId_);
    if (dialog == nullptr) return std::nullopt;
    const MessageBoxContents contents = ReadMessageBox(dialog);
    MessageBoxReading box{IdOf(dialog),        Utf8(contents.title),
                          Utf8(contents.text), std::vector<scenarios::Answer>(),
                          std::nullopt,        contents.showsIcon};
    for (int id : contents.ButtonIds()) box.buttons->push_back(AnswerOf(id));
    if (contents.defaultId != 0) box.defaultButton = AnswerOf(contents.defaultId);
    return box;
}

bool ToolbarProcess::Answer(const MessageBoxReading& box, scenarios::Answer answer) {
    for (const auto& [known, id] : kDialogIds)
        if (known == answer) return PressButton(ReadMessageBox(Hwnd(box.window)), id);
    return false;
}

}  // namespace brumelis::e2e
