// What a screen reader reads of a window's client area through MSAA
// (AccessibleObjectFromWindow), as any other program would.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace brumelis::e2e {

struct AccessibleReading {
    HWND window = nullptr;
    std::wstring name, value, description, defaultAction;  // empty where none
    long role = 0;                                         // ROLE_SYSTEM_*
};

// None when the system gave no object or no role.
std::optional<AccessibleReading> ReadAccessible(HWND window);
// Every child window of the toolbar that could be read.
std::vector<AccessibleReading> ReadControls(HWND toolbar);
// Asks the window's object for its default action; false when refused.
bool DoDefaultAction(HWND window);

}  // namespace brumelis::e2e
