#include "tests/e2e/hung_target.h"

#include "tests/e2e/hung_target_protocol.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {
namespace {

using namespace test_support;

// The program is built into the driver's own directory.
std::wstring ProgramPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring driver(path, length);
    return driver.substr(0, driver.find_last_of(L"\\/") + 1) + L"brumelis_hung_target.exe";
}

HWND VisibleWindowOf(DWORD processId) {
    for (HWND window : TopLevelWindowsOf(processId))
        if (IsWindowVisible(window)) return window;
    return nullptr;
}

}  // namespace

HungTarget::HungTarget(const std::wstring& title, const Rect& place) {
    const std::wstring program = ProgramPath();
    std::wstring commandLine = L"\"" + program + L"\" \"" + title + L"\" " +
                               std::to_wstring(place.left) + L" " + std::to_wstring(place.top) +
                               L" " + std::to_wstring(place.width) + L" " +
                               std::to_wstring(place.height);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        startError_ = L"CreateProcess failed with error " + std::to_wstring(GetLastError());
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    WaitUntil(
        [&] {
            window_ = VisibleWindowOf(info.dwProcessId);
            return window_ != nullptr;
        },
        kStartTimeout);
    if (window_ == nullptr) {
        startError_ = L"its window never showed";
        return;
    }
    // The window exists only once the events do.
    asleep_ =
        OpenEventW(SYNCHRONIZE, FALSE, hung_target::EventName(info.dwProcessId, L"asleep").c_str());
    awake_ =
        OpenEventW(SYNCHRONIZE, FALSE, hung_target::EventName(info.dwProcessId, L"awake").c_str());
    if (asleep_ == nullptr || awake_ == nullptr) startError_ = L"its events are missing";
}

HungTarget::~HungTarget() {
    for (HANDLE handle : {asleep_, awake_})
        if (handle != nullptr) CloseHandle(handle);
    if (process_ == nullptr) return;
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 5000);
    CloseHandle(process_);
}

bool HungTarget::Hang(Milliseconds length) const {
    if (asleep_ == nullptr ||
        !PostMessageW(window_, hung_target::kHangRequest, static_cast<WPARAM>(length.count()), 0))
        return false;
    return WaitForSingleObject(asleep_, static_cast<DWORD>(kStateTimeout.count())) == WAIT_OBJECT_0;
}

bool HungTarget::WaitUntilAwake(Milliseconds timeout) const {
    if (awake_ == nullptr ||
        WaitForSingleObject(awake_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return false;
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(kStateTimeout.count()), &answer) != 0;
}

}  // namespace brumelis::e2e
