// The window-system calls over Xlib and the EWMH/ICCCM conventions, for a
// desktop run by a reparenting EWMH window manager. A handle is the id of a
// client window (the window a program made); what the user sees of it is the
// window manager's frame around it, the child of the root that holds it.
// No call waits for another client: requests to the window manager are
// messages, and the only round trips are to the server.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/window_system.h"

// Xlib's connection type, declared without the rest of Xlib and its macros
// (None, Bool, Status...), which clash with other headers.
typedef struct _XDisplay Display;

namespace brumelis {

namespace x11 {
struct Atoms;
// An X resource id, as Xlib's Window.
using XWindow = unsigned long;
}  // namespace x11

class X11WindowSystem final : public WindowSystem {
public:
    // Borrows the connection (the toolkit's, so that both share one error
    // policy), installs the recording error handler and interns the atoms.
    explicit X11WindowSystem(Display* display);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    WindowHandle GetForegroundWindow() override;
    bool GetWindowRect(WindowHandle handle, ScreenRect& rect) override;
    // Always false: a window manager's frame has no invisible borders, so the
    // window rectangle is the visible corner.
    bool GetVisibleFrameRect(WindowHandle handle, ScreenRect& rect) override;
    WindowHandle GetWindow(WindowHandle handle, std::uint32_t command) override;
    std::int32_t GetWindowTextA(WindowHandle handle, char* buffer, std::int32_t maxCount) override;
    std::int32_t GetWindowLongA(WindowHandle handle, std::int32_t index) override;
    std::int32_t SetWindowLongA(WindowHandle handle, std::int32_t index,
                                std::int32_t newLong) override;
    // A property write, which waits for no client: SetWindowLongA itself.
    void SetExtendedStyleLater(WindowHandle handle, std::int32_t style) override;
    bool SetLayeredWindowAttributes(WindowHandle handle, std::uint32_t colorKey, std::uint8_t alpha,
                                    std::uint32_t flags) override;
    bool SetWindowPos(WindowHandle handle, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                      std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
    WindowHandle SetActiveWindow(WindowHandle handle) override;

    // The child of the root that holds the window: its frame when a window
    // manager reparented it, the window itself otherwise; None when it is gone.
    x11::XWindow TopLevelOf(x11::XWindow window);

private:
    struct Facts;
    std::optional<Facts> FactsOf(WindowHandle handle);
    std::vector<x11::XWindow> StackingTopFirst();
    bool HasAbove(x11::XWindow window);
    bool HasOpacity(x11::XWindow window);
    void SetOpacity(x11::XWindow client, const std::optional<unsigned long>& value);
    void RecordAbove(x11::XWindow window, bool above);

    Display* display_;
    x11::XWindow root_;
    std::unique_ptr<const x11::Atoms> atoms_;
    // The top-level windows as the last walk found them, topmost first.
    std::vector<x11::XWindow> walk_;
};

}  // namespace brumelis
