// The window system over user32. Handles cross the boundary as 32-bit
// integers. user32 hands SetWindowPos and SetWindowLongA on another thread's
// window to that thread and waits for its answer: the band changes with
// SWP_ASYNCWINDOWPOS, the layered style is written on a worker, so that a
// program that stopped answering never holds the toolbar.
#pragma once

#include <functional>
#include <vector>

#include "platform/win32/user32_calls.h"
#include "platform/window_system.h"

namespace brumelis {

class Win32WindowSystem final : public WindowSystem {
public:
    explicit Win32WindowSystem(const User32Calls& user32 = SystemUser32()) : user32_(user32) {}
    // Unhooks what WatchMoves hooked.
    ~Win32WindowSystem() override;
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    WindowHandle ForegroundWindow() override;
    // The compositor's visible frame; where it cannot tell (Wine, systems
    // before Vista), the window rectangle, which has no invisible borders there.
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override;
    // Out-of-context event hooks on the window's own thread, handled by this
    // thread's message loop: its moves, its modal move loop, its
    // minimising. Under Wine 8 they install but deliver nothing for other
    // processes' windows.
    void WatchMoves(WindowHandle window, std::function<void()> moved) override;
    // SetWindowPos into or out of the topmost band, with SWP_SHOWWINDOW as
    // user32's callers have always sent it.
    ChangeAnswer KeepAbove(WindowHandle window, bool above) override;
    // Layered first, when the window is not yet (the write is skipped on
    // every move of a drag after the first, as it would wait even when it
    // changes nothing), then the alpha.
    ChangeAnswer SetOpacity(WindowHandle window, std::uint8_t opacity) override;
    // SetActiveWindow: refused at once for another thread's window.
    void Activate(WindowHandle window) override;
    // GW_HWNDFIRST, then GW_HWNDNEXT from each; titleLength counts bytes of
    // the system's 8-bit code page.
    std::vector<ListedWindow> TopLevelWindows(WindowHandle window,
                                              std::size_t titleLength) override;

private:
    std::optional<Text> Title(HWND window, std::size_t maxLength) const;
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND hwnd, LONG object,
                                 LONG child, DWORD thread, DWORD time) noexcept;
    void Unhook();

    const User32Calls& user32_;
    HWND watched_ = nullptr;
    std::function<void()> moved_;
    std::vector<HWINEVENTHOOK> hooks_;
};

}  // namespace brumelis
