// The window system on GNOME (Wayland), through Brumelis's Shell extension.
// The extension names the focused window alone, with its visible frame, and
// sends a signal when the focus changes, when that window moves or is
// resized, and when it enters or leaves the band kept above. Everything a
// tick reads comes from what those signals said: an idle tick sends no
// message at all. Changes are calls that are never waited for; opacity keeps
// one in flight and sends the latest value asked meanwhile when it is
// answered, so a drag of the slider never queues up.
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
    bool above = false;
};

// Reads the (u(iiii)b) the extension's Follow call and Focus signal carry.
std::optional<ShellFocus> ReadShellFocus(GVariant* values);

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

    std::size_t MessagesSent() const { return link_->MessagesSent(); }

private:
    void OnSignal(const char* name, GVariant* values);
    void SendOpacity();

    std::unique_ptr<ShellLink> link_;
    ShellFocus focus_;
    WindowHandle watched_ = 0;
    std::function<void()> moved_;
    bool opacityInFlight_ = false;
    WindowHandle opacityWindow_ = 0;
    std::optional<std::uint8_t> pendingOpacity_;
};

}  // namespace brumelis
