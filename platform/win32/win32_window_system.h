// The window system over user32. Handles cross the boundary as 32-bit
// integers. user32 hands SetWindowPos and SetWindowLongA on another thread's
// window to that thread and waits for its answer: the band changes with
// SWP_ASYNCWINDOWPOS, the layered style is written on a worker, so that a
// program that stopped answering never holds the toolbar.
#pragma once

#include "platform/win32/user32_calls.h"
#include "platform/window_system.h"

namespace brumelis {

class Win32WindowSystem final : public WindowSystem {
public:
    explicit Win32WindowSystem(const User32Calls& user32 = SystemUser32()) : user32_(user32) {}

    WindowHandle ForegroundWindow() override;
    // The compositor's visible frame; where it cannot tell (Wine, systems
    // before Vista), the window rectangle, which has no invisible borders there.
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override;
    void KeepAbove(WindowHandle window, bool above) override;
    bool IsKeptAbove(WindowHandle window) override;
    bool CanKeepAbove() override { return true; }
    // Layered first, when the window is not yet (the write is skipped on
    // every move of a drag after the first, as it would wait even when it
    // changes nothing), then the alpha.
    void SetOpacity(WindowHandle window, std::uint8_t opacity) override;
    bool ShowsOpacity() override { return true; }
    // SetActiveWindow: refused at once for another thread's window.
    void Activate(WindowHandle window) override;
    WindowHandle TopWindow(WindowHandle window) override;
    WindowHandle WindowBelow(WindowHandle window) override;
    // maxLength counts bytes of the system's 8-bit code page.
    std::optional<Text> Title(WindowHandle window, std::size_t maxLength) override;

private:
    const User32Calls& user32_;
};

}  // namespace brumelis
