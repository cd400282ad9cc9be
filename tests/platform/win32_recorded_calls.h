// Recorders in place of user32 and the kernel32/advapi32 calls beside it:
// each call is written down as a line of text, and answered from the script.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/core_types.h"
#include "platform/win32/user32_calls.h"

namespace brumelis::platform_tests {

// What the recorders answer, and what they saw.
struct Script {
    LONG exStyle = 0;
    RECT rect{1, 2, 3, 4};
    BOOL rectKnown = TRUE;
    std::optional<RECT> compositorFrame;  // none: E_NOTIMPL, as under Wine
    std::optional<RECT> physicalRect;     // none: already per-monitor aware
    const char* title = nullptr;          // nullptr: the query writes nothing
    WINEVENTPROC hookProcedure = nullptr;
    // Integrity levels (SECURITY_MANDATORY_*_RID); none: cannot be read.
    std::optional<DWORD> ownLevel = SECURITY_MANDATORY_MEDIUM_RID;
    std::optional<DWORD> windowLevel = SECURITY_MANDATORY_MEDIUM_RID;
    DWORD windowProcess = 0x66;          // another: the handle names a new window
    BOOL layeredAttributesKnown = TRUE;  // FALSE: the window draws itself
    DWORD changeError = ERROR_SUCCESS;   // set: SetWindowPos and the alpha fail so
    std::vector<std::string> calls;
};
extern Script script;

inline constexpr WindowHandle kWindow = 0x1234;

const User32Calls& Recorders();

}  // namespace brumelis::platform_tests
