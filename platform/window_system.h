// The window-manager calls the core makes, with the arguments it passes.
#pragma once

#include "platform/core_types.h"

namespace brumelis {

namespace win {
constexpr std::uint32_t GW_HWNDFIRST = 0;
constexpr std::uint32_t GW_HWNDNEXT = 2;
constexpr std::int32_t GWL_EXSTYLE = -20;
constexpr std::int32_t WS_EX_TOPMOST = 0x00000008;
constexpr std::int32_t WS_EX_LAYERED = 0x00080000;
constexpr std::uint32_t LWA_ALPHA = 2;
constexpr WindowHandle HWND_TOPMOST = -1;
constexpr WindowHandle HWND_NOTOPMOST = -2;
constexpr std::uint32_t SWP_NOSIZE = 0x0001;
constexpr std::uint32_t SWP_NOMOVE = 0x0002;
constexpr std::uint32_t SWP_NOACTIVATE = 0x0010;
constexpr std::uint32_t SWP_SHOWWINDOW = 0x0040;
constexpr std::uint32_t SWP_ASYNCWINDOWPOS = 0x4000;
}  // namespace win

// Mirrors user32: results the core ignores are still returned so that the
// backends stay thin and the fakes can be checked against the real calls.
//
// Another thread's window may belong to a program that has stopped answering.
// Unless a call says otherwise it returns at once whatever that thread does.
// The calls marked "waits" hand the work to the window's thread and wait for
// its answer: the core makes them only on windows of its own thread.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    virtual WindowHandle GetForegroundWindow() = 0;
    // On failure the rectangle is left as it was.
    virtual bool GetWindowRect(WindowHandle hWnd, ScreenRect& rect) = 0;
    // The part of the window rectangle that is drawn, without the invisible
    // resize borders of recent systems, in the same pixels as GetWindowRect.
    // False, the rectangle left as it was, where the system cannot tell.
    virtual bool GetVisibleFrameRect(WindowHandle hWnd, ScreenRect& rect) = 0;
    virtual WindowHandle GetWindow(WindowHandle hWnd, std::uint32_t command) = 0;
    // Writes at most maxCount - 1 bytes and a NUL at the start of buffer, in the
    // system's 8-bit code page; bytes past that keep their contents.
    virtual std::int32_t GetWindowTextA(WindowHandle hWnd, char* buffer, std::int32_t maxCount) = 0;
    virtual std::int32_t GetWindowLongA(WindowHandle hWnd, std::int32_t index) = 0;
    // Waits, even when nothing changes.
    virtual std::int32_t SetWindowLongA(WindowHandle hWnd, std::int32_t index,
                                        std::int32_t newLong) = 0;
    // SetWindowLongA for GWL_EXSTYLE that never waits: on another thread's
    // window it takes effect when that thread answers. Calls on the same
    // window that follow it (SetLayeredWindowAttributes) take effect after it,
    // the last one winning.
    virtual void SetExStyleLater(WindowHandle hWnd, std::int32_t exStyle) = 0;
    // Fails on a window that is not layered.
    virtual bool SetLayeredWindowAttributes(WindowHandle hWnd, std::uint32_t colorKey,
                                            std::uint8_t alpha, std::uint32_t flags) = 0;
    // Waits, unless flags hold SWP_ASYNCWINDOWPOS: then another thread's window
    // changes when that thread answers.
    virtual bool SetWindowPos(WindowHandle hWnd, WindowHandle insertAfter, std::int32_t x,
                              std::int32_t y, std::int32_t cx, std::int32_t cy,
                              std::uint32_t flags) = 0;
    // Refused at once for another thread's window.
    virtual WindowHandle SetActiveWindow(WindowHandle hWnd) = 0;
};

}  // namespace brumelis
