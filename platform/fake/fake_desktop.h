// A simulated desktop behind the WindowSystem interface. It enforces the rules
// the core relies on rather than recording calls: z-order with the topmost
// band first, GetWindowTextA truncation, alpha only on layered windows,
// invalid or 0 handles changing nothing. A window can hang like a program
// that stopped answering: the calls that would wait for it are counted, the
// ones that never wait are held until it wakes.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/window_system.h"

namespace brumelis {

class FakeDesktop : public WindowSystem {
public:
    struct Window {
        Text title;
        ScreenRect rect;
        std::int32_t exStyle = 0;  // WS_EX_TOPMOST mirrors the band
        bool visible = true;
        bool titleReadable = true;  // false: the title query writes nothing
        std::optional<std::uint8_t> alpha;
        // Invisible resize borders inside the rectangle, left, top, right
        // and bottom: the compositor reports the rest as drawn.
        ScreenRect invisibleBorders;
        bool hung = false;
    };

    // A new window on top of the non-topmost band.
    WindowHandle AddWindow(const Text& title, ScreenRect rect = {}, bool visible = true);
    void RemoveWindow(WindowHandle window);
    void SetForeground(WindowHandle window) { foreground_ = window; }
    void MoveWindow(WindowHandle window, ScreenRect rect);
    void SetVisible(WindowHandle window, bool visible);
    void SetTitleReadable(WindowHandle window, bool readable);
    // Widths of invisible resize borders (left, top, right, bottom).
    void SetInvisibleBorders(WindowHandle window, ScreenRect borders);
    // Without a compositor (Wine, older systems) the frame query fails.
    void SetCompositorAvailable(bool available) { compositor_ = available; }
    // A hung window's thread answers nothing until Wake, which carries out
    // what was held for it, in order.
    void Hang(WindowHandle window);
    void Wake(WindowHandle window);
    // Calls that would have waited for a hung window (they take effect, as
    // once the caller had waited).
    int WaitingCalls() const { return waitingCalls_; }

    bool Exists(WindowHandle window) const { return windows_.count(window) != 0; }
    const Window& Get(WindowHandle window) const { return windows_.at(window); }
    bool IsTopmost(WindowHandle window) const;
    // Top to bottom.
    const std::vector<WindowHandle>& ZOrder() const { return zOrder_; }
    bool IsAbove(WindowHandle upper, WindowHandle lower) const;
    const std::vector<WindowHandle>& ActivationRequests() const { return activations_; }
    // Every call through the WindowSystem interface.
    long CallCount() const { return calls_; }
    void ResetCallCount() { calls_ = 0; }

    // WindowSystem
    WindowHandle GetForegroundWindow() override;
    bool GetWindowRect(WindowHandle window, ScreenRect& rect) override;
    bool GetVisibleFrameRect(WindowHandle window, ScreenRect& rect) override;
    WindowHandle GetWindow(WindowHandle window, std::uint32_t command) override;
    std::int32_t GetWindowTextA(WindowHandle window, char* buffer, std::int32_t maxCount) override;
    std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) override;
    std::int32_t SetWindowLongA(WindowHandle window, std::int32_t index,
                                std::int32_t newLong) override;
    void SetExtendedStyleLater(WindowHandle window, std::int32_t exStyle) override;
    bool SetLayeredWindowAttributes(WindowHandle window, std::uint32_t colorKey, std::uint8_t alpha,
                                    std::uint32_t flags) override;
    bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                      std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
    WindowHandle SetActiveWindow(WindowHandle window) override;

private:
    Window* Find(WindowHandle window);
    void PlaceInBand(WindowHandle window, bool topmost);
    void WriteExStyle(Window& w, std::int32_t exStyle);
    bool ApplyAlpha(WindowHandle window, std::uint8_t alpha, std::uint32_t flags);
    void ChangePosition(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                        std::int32_t y, std::int32_t cx, std::int32_t cy, std::uint32_t flags);

    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> zOrder_;
    std::vector<WindowHandle> activations_;
    // Work held for hung windows, in the order it was asked for.
    std::vector<std::pair<WindowHandle, std::function<void()>>> held_;
    bool compositor_ = true;
    int waitingCalls_ = 0;
    WindowHandle foreground_ = 0;
    WindowHandle nextHandle_ = 0x10010;
    long calls_ = 0;
};

}  // namespace brumelis
