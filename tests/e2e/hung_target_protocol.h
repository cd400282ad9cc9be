// What the end-to-end driver and its hung target program agree on.
#pragma once

#include <windows.h>

#include <string>

namespace brumelis::e2e::hung_target {

// Posted to the target's window; wParam: how long to sleep, in milliseconds.
inline constexpr UINT kHangRequest = WM_APP + 1;

// A manual-reset event the target creates: "asleep" is set while its thread
// sleeps, "awake" while it does not.
inline std::wstring EventName(DWORD targetProcessId, const wchar_t* state) {
    return L"Local\\BrumelisHungTarget-" + std::to_wstring(targetProcessId) + L"-" + state;
}

}  // namespace brumelis::e2e::hung_target
