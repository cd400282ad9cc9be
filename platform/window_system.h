// The window-manager calls the core makes, with the arguments it passes.
#pragma once

#include <cstdint>

#include "base/core_types.h"

namespace brumelis {

// The arguments of the calls, in the window system's own words. The values
// are user32's, so that the Win32 backend passes them through unchanged.
namespace win {
// GetWindow: the first window of the z-order, or the next one below.
constexpr std::uint32_t kFirstWindow = 0;
constexpr std::uint32_t kNextWindow = 2;
// GetWindowLongA/SetWindowLongA: the extended style and two of its bits.
constexpr std::int32_t kExtendedStyle = -20;
constexpr std::int32_t kTopmostStyle = 0x00000008;
constexpr std::int32_t kLayeredStyle = 0x00080000;
// SetLayeredWindowAttributes: the alpha argument is to be used.
constexpr std::uint32_t kUseAlpha = 2;
// SetWindowPos: the band to put the window in, and what to leave alone.
constexpr WindowHandle kTopmostBand = -1;
constexpr WindowHandle kNonTopmostBand = -2;
constexpr std::uint32_t kKeepSize = 0x0001;
constexpr std::uint32_t kKeepPosition = 0x0002;
constexpr std::uint32_t kNoActivation = 0x0010;
constexpr std::uint32_t kShowWindow = 0x0040;
// ...and for another thread's window: do not wait for that thread.
constexpr std::uint32_t kDoNotWait = 0x4000;
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
    virtual bool GetWindowRect(WindowHandle window, ScreenRect& rect) = 0;
    // The part of the window rectangle that is drawn, without the invisible
    // resize borders of recent systems, in the same pixels as GetWindowRect.
    // False, the rectangle left as it was, where the system cannot tell.
    virtual bool GetVisibleFrameRect(WindowHandle window, ScreenRect& rect) = 0;
    virtual WindowHandle GetWindow(WindowHandle window, std::uint32_t command) = 0;
    // Writes at most maxCount - 1 bytes and a NUL at the start of buffer, in the
    // system's 8-bit code page; bytes past that keep their contents.
    virtual std::int32_t GetWindowTextA(WindowHandle window, char* buffer,
                                        std::int32_t maxCount) = 0;
    virtual std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) = 0;
    // Waits, even when nothing changes.
    virtual std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index,
                                        std::int32_t newLong) = 0;
    // SetWindowLongA of the extended style that never waits: on another
    // thread's window it takes effect when that thread answers. Calls on the
    // same window that follow it (SetLayeredWindowAttributes) take effect
    // after it, the last one winning.
    virtual void SetExtendedStyleLater(WindowHandle window, std::int32_t style) = 0;
    // Fails on a window that is not layered.
    virtual bool SetLayeredWindowAttributes(WindowHandle window, std::uint32_t colorKey,
                                            std::uint8_t alpha, std::uint32_t flags) = 0;
    // Waits, unless flags hold kDoNotWait: then another thread's window
    // changes when that thread answers.
    virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                              std::int32_t y, std::int32_t cx, std::int32_t cy,
                              std::uint32_t flags) = 0;
    // Refused at once for another thread's window.
    virtual WindowHandle SetActiveWindow(WindowHandle window) = 0;
};

}  // namespace brumelis
