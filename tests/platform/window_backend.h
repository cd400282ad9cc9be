// What the window-system conformance suite needs of a backend besides its
// calls: a way to put windows of the test on the desktop and to read the few
// states the calls under test do not report themselves.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/window_system.h"

namespace brumelis::platform_tests {

class WindowBackend {
public:
    virtual ~WindowBackend() = default;

    virtual WindowSystem& Calls() = 0;
    // A new top-level window of the test, at the top of the non-topmost band;
    // shown without activation when visible.
    virtual WindowHandle CreateTestWindow(const Text& title, ScreenRect rect, bool visible) = 0;
    virtual void DestroyTestWindow(WindowHandle window) = 0;
    // True once the window really is the foreground window.
    virtual bool MakeForeground(WindowHandle window) = 0;
    virtual bool IsVisible(WindowHandle window) = 0;
    // In the band kept above the others, as the system records it.
    virtual bool KeptAbove(WindowHandle window) = 0;
    // The constant alpha of a layered window; none before one was set.
    virtual std::optional<std::uint8_t> Alpha(WindowHandle window) = 0;
    // For the few cases where Wine is known to part from Windows.
    virtual bool UnderWine() const { return false; }
    // Returns once the window manager has acted on every request made so far.
    // Where the calls take effect before they return, there is nothing to wait
    // for; on X11 "above", mapping and focus are the window manager's to do.
    virtual void Settle() {}
};

using WindowBackendFactory = std::unique_ptr<WindowBackend> (*)();

}  // namespace brumelis::platform_tests
