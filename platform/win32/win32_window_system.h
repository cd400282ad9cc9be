// The window-system calls over user32. Handles cross the boundary as 32-bit
// integers; every call is passed through with its arguments unchanged, but
// for the style written later and the opacity that follows it.
#pragma once

#include "platform/window_system.h"

namespace brumelis {

class Win32WindowSystem final : public WindowSystem {
public:
    WindowHandle GetForegroundWindow() override;
    bool GetWindowRect(WindowHandle window, ScreenRect& rect) override;
    bool GetVisibleFrameRect(WindowHandle window, ScreenRect& rect) override;
    WindowHandle GetWindow(WindowHandle window, std::uint32_t command) override;
    std::int32_t GetWindowTextA(WindowHandle window, char* buffer, std::int32_t maxCount) override;
    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override;
    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index,
                                std::int32_t newLong) override;
    void SetExtendedStyleLater(WindowHandle window, std::int32_t style) override;
    bool SetLayeredWindowAttributes(WindowHandle window, std::uint32_t colorKey, std::uint8_t alpha,
                                    std::uint32_t flags) override;
    bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                      std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
    WindowHandle SetActiveWindow(WindowHandle window) override;
};

}  // namespace brumelis
