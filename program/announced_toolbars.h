// The toolbars of the copies running in one Wayland session, for the
// instance rule. The rule counts the windows bearing the toolbar's caption
// in the window system's snapshot; on X11 a copy's two windows (the toolbar
// and its hidden owner) are in it, but a layer surface and a window never
// mapped are in no compositor's list (sway's tree has neither). So each
// copy announces its captioned windows in a file of its own under the
// session's runtime directory, locked for as long as it runs, and the
// snapshot the toolbar reads lists those of the copies still running.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace brumelis {

// This copy's announcement: made when constructed, withdrawn when destroyed
// (and by the kernel's release of its lock however the copy ends).
class AnnouncedToolbar {
public:
    // `directory` is made (0700) if missing; nothing is announced where it
    // cannot be.
    AnnouncedToolbar(const std::string& directory, const Text& caption, int windows);
    ~AnnouncedToolbar();
    AnnouncedToolbar(const AnnouncedToolbar&) = delete;
    AnnouncedToolbar& operator=(const AnnouncedToolbar&) = delete;

private:
    std::string path_;
    int descriptor_ = -1;
};

// The captions announced by copies still running; files whose lock nobody
// holds (a copy that died) are removed.
std::vector<Text> AnnouncedTitles(const std::string& directory);

// The process ids of the copies that announced themselves and died (their
// files are left for AnnouncedTitles to remove): what they left in the
// compositor can be undone.
std::vector<long> DeadAnnouncers(const std::string& directory);

// The directory of one Wayland display's announcements in the runtime
// directory; empty without one.
std::string AnnouncementDirectory(const std::string& runtimeDirectory,
                                  const std::string& waylandDisplay);

// A window system whose snapshot also lists the announced toolbars (handle
// -1: no window the system names), after its own windows.
class WithAnnouncedToolbars final : public WindowSystem {
public:
    WithAnnouncedToolbars(WindowSystem& windows, std::string directory)
        : windows_(windows), directory_(std::move(directory)) {}

    WindowHandle ForegroundWindow() override { return windows_.ForegroundWindow(); }
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override {
        return windows_.VisibleFrame(window);
    }
    void WatchMoves(WindowHandle window, std::function<void()> moved) override {
        windows_.WatchMoves(window, std::move(moved));
    }
    ChangeAnswer KeepAbove(WindowHandle window, bool above) override {
        return windows_.KeepAbove(window, above);
    }
    ChangeAnswer SetOpacity(WindowHandle window, std::uint8_t opacity) override {
        return windows_.SetOpacity(window, opacity);
    }
    void Activate(WindowHandle window) override { windows_.Activate(window); }
    std::vector<ListedWindow> TopLevelWindows(WindowHandle window,
                                              std::size_t titleLength) override;

private:
    WindowSystem& windows_;
    std::string directory_;
};

}  // namespace brumelis
