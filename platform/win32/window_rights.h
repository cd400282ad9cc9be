// What Windows lets this program do to another program's window, learnt when
// the window is met. Windows refuses SetWindowPos and SetWindowLong on the windows
// of a program that runs with a higher integrity level (one run as
// administrator, when this one is not): that is read from the process's
// token, without a message to the window's thread, so a program that
// stopped answering is never waited for, nor taken for one that refuses.
// And a window that draws itself pixel by pixel (UpdateLayeredWindow) must
// not be given one opacity: it would stop drawing.
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

    // False when a level cannot be read: the change's own result tells then.
    // Asked first for every change: a handle whose window now belongs to
    // another thread or process names a new window, learnt anew.
    bool Refuses(HWND window);
    // Asked after Refuses, with the extended style read now: layered by its
    // own program, and GetLayeredWindowAttributes fails. A failure is never
    // kept (a window layered but not painted yet takes an alpha once it
    // paints); a window seen taking an alpha is not asked again while its
    // extended style stays the one it was then. A window met unlayered is
    // layered by this program and not asked under the style it gets (until
    // the worker applies the alpha, the query would fail).
    bool DrawsItself(HWND window, LONG exStyle);

private:
    struct Known {
        HWND window;
        DWORD thread;  // with the process: which window the handle names
        DWORD process;
        bool refuses;
        std::optional<LONG> takesAlphaUnder;  // the extended style it did under
    };
    Known& Find(HWND window);
    // The token's mandatory level (SECURITY_MANDATORY_*_RID).
    std::optional<DWORD> IntegrityLevel(HANDLE process) const;
    bool LevelAboveOurs(DWORD processId);

    // A handful of windows a session pins or fades; the oldest go first.
    static constexpr std::size_t kRemembered = 64;

    const User32Calls& calls_;
    bool ownLevelRead_ = false;
    std::optional<DWORD> ownLevel_;
    std::vector<Known> known_;
};

}  // namespace brumelis
