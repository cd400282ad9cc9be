// A simulated desktop behind the WindowSystem interface. It keeps the rules
// the core relies on rather than recording calls: z-order with the band kept
// above first, titles cut to the length asked, invalid or 0 handles changing
// nothing, a visible frame inside the window's invisible resize borders.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "platform/window_system.h"

namespace brumelis {

class FakeDesktop : public WindowSystem {
public:
    struct Window {
        Text title;
        ScreenRect rect;
        bool visible = true;
        bool titleReadable = true;  // false: the title cannot be read
        bool keptAbove = false;
        // A window of a program with higher rights: changes are refused.
        bool refusesChanges = false;
        // Draws itself pixel by pixel: its opacity is left alone.
        bool drawsItself = false;
        std::optional<std::uint8_t> opacity;  // none until one is set
        // Invisible resize borders inside the rectangle, left, top, right
        // and bottom: the rest is the visible frame.
        ScreenRect invisibleBorders;
    };

    // A new window on top of the windows not kept above.
    WindowHandle AddWindow(const Text& title, ScreenRect rect = {}, bool visible = true);
    void RemoveWindow(WindowHandle window);
    void SetForeground(WindowHandle window) { foreground_ = window; }
    void MoveWindow(WindowHandle window, ScreenRect rect);
    void SetVisible(WindowHandle window, bool visible);
    void SetTitleReadable(WindowHandle window, bool readable);
    void SetRefusesChanges(WindowHandle window, bool refuses);
    void SetDrawsItself(WindowHandle window, bool draws = true) {
        windows_.at(window).drawsItself = draws;
    }
    // The toolkit's side: its own window put above every other, kept-above
    // ones included.
    void RaiseAboveAll(WindowHandle window);
    // Widths of invisible resize borders (left, top, right, bottom).
    void SetInvisibleBorders(WindowHandle window, ScreenRect borders);
    // What the system tells the watcher after a move; nothing for a window
    // not watched.
    void ReportMove(WindowHandle window);
    WindowHandle Watched() const { return watched_; }
    // A desktop whose window manager has no band above the others.
    void SetCanKeepAbove(bool can) { canKeepAbove_ = can; }
    // A desktop where opacity is recorded but not drawn (no compositor).
    void SetShowsOpacity(bool shows) { showsOpacity_ = shows; }
    // While off, every change is answered "not possible now" and changes nothing.
    void SetHelperOff(bool off) { helperOff_ = off; }

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
    WindowHandle ForegroundWindow() override;
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override;
    void WatchMoves(WindowHandle window, std::function<void()> moved) override;
    ChangeAnswer KeepAbove(WindowHandle window, bool above) override;
    ChangeAnswer SetOpacity(WindowHandle window, std::uint8_t opacity) override;
    void Activate(WindowHandle window) override;
    std::vector<ListedWindow> TopLevelWindows(WindowHandle window,
                                              std::size_t titleLength) override;

private:
    Window* Find(WindowHandle window);
    void PlaceInBand(WindowHandle window, bool above);

    std::map<WindowHandle, Window> windows_;
    std::vector<WindowHandle> zOrder_;
    std::vector<WindowHandle> activations_;
    bool canKeepAbove_ = true;
    bool showsOpacity_ = true;
    bool helperOff_ = false;
    WindowHandle foreground_ = 0;
    WindowHandle watched_ = 0;
    std::function<void()> moved_;
    WindowHandle nextHandle_ = 0x10010;
    long calls_ = 0;
};

}  // namespace brumelis
