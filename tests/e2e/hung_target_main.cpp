// A target window in a process of its own whose thread can be told to stop
// answering: a posted request makes it sleep without pumping messages, as a
// busy or hung application does. Messages sent to it meanwhile wait.
//
// Usage: brumelis_hung_target TITLE LEFT TOP WIDTH HEIGHT
// A request is the message kHangRequest posted to the window with the hang's
// length in milliseconds; the events named by HungTargetEventName tell when
// the thread falls asleep and when it wakes up.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "tests/e2e/hung_target_protocol.h"

namespace {

using brumelis::e2e::hung_target::kHangRequest;

HANDLE asleep = nullptr;
HANDLE awake = nullptr;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHangRequest) {
        ResetEvent(awake);
        SetEvent(asleep);
        Sleep(static_cast<DWORD>(wParam));
        ResetEvent(asleep);
        SetEvent(awake);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 6) return 2;
    const DWORD self = GetCurrentProcessId();
    asleep = CreateEventW(nullptr, TRUE, FALSE,
                          brumelis::e2e::hung_target::EventName(self, L"asleep").c_str());
    awake = CreateEventW(nullptr, TRUE, TRUE,
                         brumelis::e2e::hung_target::EventName(self, L"awake").c_str());

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"BrumelisHungTarget";
    RegisterClassW(&windowClass);
    // No system menu, as for the driver's own targets.
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, argv[1],
                                  WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME, _wtoi(argv[2]),
                                  _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
