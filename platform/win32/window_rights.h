// Whether Windows lets this program change another program's window.
// Windows refuses SetWindowPos and SetWindowLong on the windows of a program
// that runs with a higher integrity level (one run as administrator, when
// this one is not). That is learnt from the process's token, without a
// message to the window's thread: a program that stopped answering is
// never waited for, and never taken for one that refuses.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/win32/user32_calls.h"

namespace brumelis {

class WindowRights {
public:
    explicit WindowRights(const User32Calls& calls) : calls_(calls) {}

    // Asked once per window, then remembered. False when a level cannot be
    // read: the change's own result tells then.
    bool Refuses(HWND window);

private:
    // The token's mandatory level (SECURITY_MANDATORY_*_RID).
    std::optional<DWORD> IntegrityLevel(HANDLE process) const;
    bool LevelAboveOurs(HWND window);

    struct Known {
        HWND window;
        bool refuses;
    };
    // A handful of windows a session pins or fades; the oldest go first.
    static constexpr std::size_t kRemembered = 64;

    const User32Calls& calls_;
    bool ownLevelRead_ = false;
    std::optional<DWORD> ownLevel_;
    std::vector<Known> known_;
};

}  // namespace brumelis
