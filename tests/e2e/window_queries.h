// Reads of real window state through the same calls a user's tools would
// use: no private channel into the program under test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/screen_types.h"

namespace brumelis::e2e {

Rect WindowRect(HWND window);
LONG ExStyle(HWND window);
bool IsTopmost(HWND window);
// The constant alpha set with LWA_ALPHA; none when the window is not layered
// or has no alpha.
std::optional<std::uint8_t> LayeredAlpha(HWND window);

std::wstring WindowText(HWND window);
std::wstring ClassName(HWND window);
DWORD ProcessOf(HWND window);

// Top-level windows of a process, in z-order from the top.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
// Position in the desktop's top-level z-order, 0 at the top; -1 when absent.
int ZOrderIndex(HWND window);
// Whether the window is the root or one of its descendants.
bool BelongsTo(HWND window, HWND root);
// The first descendant of that class (compared without regard to case).
HWND DescendantOfClass(HWND parent, const std::wstring& className);

}  // namespace brumelis::e2e
