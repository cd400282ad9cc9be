// The window system on GNOME (Wayland), through Brumelis's Shell extension.
// The extension names the focused window alone, with its visible frame, and
// sends a signal when the focus changes and when that window moves or is
// resized. Everything a tick reads comes from what those signals said: an
// idle tick sends no message at all. Opacity is a call never waited for; it
// keeps one in flight and sends the latest value asked meanwhile when it is
// answered, so a drag of the slider never queues up. Keep above (a click)
// waits for the Shell's answer, so that the button shows what was done.
//
// The extension goes and comes while the program runs (the screen locked,
// the user disabling it): the Shell says so. While it is off the tile stays
// where it was, every change is answered "not possible now" and nothing is
// kept for later; when it is back it serves nobody yet, and the program
// follows again at once.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/gnome/shell_link.h"
#include "platform/window_system.h"

namespace brumelis {

// What the extension said of the focused window; window 0: none.
struct ShellFocus {
    WindowHandle window = 0;
    ScreenRect frame{};
};

// The Shell's stage in its own pixels (the extension's Stage, version 3).
struct StageSize {
    int width = 0, height = 0;
};

// How many X11 pixels make one of the Shell's, from Xwayland's screen and
// the stage: Mutter 47 and later scale X11 coordinates by the highest
// monitor scale rounded up (2 at 125 %), earlier ones not at all. 1 where
// the two do not agree on one whole factor.
int X11ScaleOf(const StageSize& stage, int x11Width, int x11Height);

// Reads the (u(iiii)) the extension's Follow call and Focus signal carry
// (version 1 added a third value, ignored).
std::optional<ShellFocus> ReadShellFocus(GVariant* values);

// Reads the Shell's ExtensionStateChanged (sa{sv}): whether Brumelis's
// extension is now enabled; nothing for another extension or an unreadable
// message.
std::optional<bool> ReadExtensionEnabled(GVariant* values);

class GnomeWindowSystem final : public WindowSystem {
public:
    // `start`: the Follow call's answer, read before the first tick.
    GnomeWindowSystem(std::unique_ptr<ShellLink> link, const ShellFocus& start);

    WindowHandle ForegroundWindow() override { return focus_.window; }
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override;
    void WatchMoves(WindowHandle window, std::function<void()> moved) override;
    ChangeAnswer KeepAbove(WindowHandle window, bool above) override;
    ChangeAnswer SetOpacity(WindowHandle window, std::uint8_t opacity) override;
    void Activate(WindowHandle window) override;
    // The extension names no window but the focused one, and no window of
    // the session carries the toolbar's caption: the toolbars are counted
    // from their announcements (program/announced_toolbars.h).
    std::vector<ListedWindow> TopLevelWindows(WindowHandle, std::size_t) override { return {}; }

    // The toolbar's window is an X11 one: frames are told in X11 pixels,
    // `scale` of them to one of the Shell's.
    void UseX11Scale(int scale) { x11Scale_ = scale; }
    // Whether the extension serves this program now.
    bool Served() const { return served_; }
    std::size_t MessagesSent() const { return link_->MessagesSent(); }

private:
    void OnSignal(const char* name, GVariant* values);
    void SendOpacity();
    // The extension is off: nothing is sent until it is back.
    void Lost();
    // Asks the extension to follow again; served once it answers.
    void FollowAgain();

    std::unique_ptr<ShellLink> link_;
    ShellFocus focus_;
    bool served_ = true;
    int x11Scale_ = 1;
    // Counts the Follow calls: only the latest one's answer is taken.
    unsigned follows_ = 0;
    WindowHandle watched_ = 0;
    std::function<void()> moved_;
    bool opacityInFlight_ = false;
    WindowHandle opacityWindow_ = 0;
    std::optional<std::uint8_t> pendingOpacity_;
};

}  // namespace brumelis
