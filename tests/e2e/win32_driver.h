// The scenarios' driver on Win32 (win32_driver.cpp): target windows of the
// driver's own thread, the toolbar started with CreateProcess, SendInput
// clicks, and reads through calls any program can make (GetWindowRect, the
// extended style, GetLayeredWindowAttributes, the #32770 message box). Runs
// under Wine here and unchanged on Windows. What the Win32 checks beside the
// scenarios need of it:
#pragma once

#include <windows.h>

#include "tests/e2e/target_window.h"
#include "tests/scenarios/driver.h"

namespace brumelis::e2e {

inline HWND Hwnd(scenarios::WindowId window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
inline scenarios::WindowId IdOf(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}
// The pin button of a toolbar: its one push button.
HWND PinButtonOf(HWND toolbar);
// A target the driver opened; null for any other window.
const TargetWindow* OpenedTarget(scenarios::Driver& driver, scenarios::WindowId window);

}  // namespace brumelis::e2e
