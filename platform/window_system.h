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
}  // namespace win

// Mirrors user32: results the core ignores are still returned so that the
// backends stay thin and the fakes can be checked against the real calls.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    virtual WindowHandle GetForegroundWindow() = 0;
    // On failure the rectangle is left as it was.
    virtual bool GetWindowRect(WindowHandle window, ScreenRect& rect) = 0;
    virtual WindowHandle GetWindow(WindowHandle window, std::uint32_t command) = 0;
    // Writes at most maxCount - 1 bytes and a NUL at the start of buffer, in the
    // system's 8-bit code page; bytes past that keep their contents.
    virtual std::int32_t GetWindowTextA(WindowHandle window, char* buffer,
                                        std::int32_t maxCount) = 0;
    virtual std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) = 0;
    virtual std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index,
                                        std::int32_t newLong) = 0;
    virtual bool SetLayeredWindowAttributes(WindowHandle window, std::uint32_t colorKey,
                                            std::uint8_t alpha, std::uint32_t flags) = 0;
    virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                              std::int32_t y, std::int32_t cx, std::int32_t cy,
                              std::uint32_t flags) = 0;
    virtual WindowHandle SetActiveWindow(WindowHandle window) = 0;
};

}  // namespace brumelis
