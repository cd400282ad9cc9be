// The window system over Xlib and the EWMH/ICCCM conventions, for a desktop
// run by an EWMH window manager. A handle is the id of a client window (the
// window a program made); what the user sees of it is the window manager's
// frame around it, the child of the root that holds it.
//
// The operations answer from two caches that the server's events keep true
// (x11::RootState, x11::WindowCache), so that an idle desktop costs no round
// trip. Nothing waits for another client: requests to the window manager are
// messages, and failures of requests without a reply come back through the
// one error handler. Nothing of ours is written on another program's window
// but the EWMH properties window managers and compositors read.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/window_system.h"

// Xlib's types, declared without the rest of Xlib and its macros (None,
// Bool, Status...), which clash with other headers.
typedef struct _XDisplay Display;
union _XEvent;

namespace brumelis {

namespace x11 {
struct Atoms;
class RootState;
class WindowCache;
}  // namespace x11

class X11WindowSystem final : public WindowSystem {
public:
    // Borrows the connection (the toolkit's, so that both share one error
    // policy), installs the recording error handler, interns the atoms and
    // asks for the root's events. Whoever reads the connection's events
    // hands every one to Observe.
    explicit X11WindowSystem(Display* display);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    WindowHandle ForegroundWindow() override;
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override;
    // Told by the cache: the server's ConfigureNotify of the window or of its
    // frame, once VisibleFrame was asked of it.
    void WatchMoves(WindowHandle window, std::function<void()> moved) override;
    ChangeAnswer KeepAbove(WindowHandle window, bool above) override;
    bool IsKeptAbove(WindowHandle window);
    ChangeAnswer SetOpacity(WindowHandle window, std::uint8_t opacity) override;
    void Activate(WindowHandle window) override;
    std::vector<ListedWindow> TopLevelWindows(WindowHandle window,
                                              std::size_t titleLength) override;

    // Brings the caches up to date with one event read from the connection.
    // True when the event concerns no one else (the root's substructure
    // events and the compositor's selection, which only they asked for).
    bool Observe(const _XEvent& event);

private:
    Display* display_;
    std::unique_ptr<const x11::Atoms> atoms_;
    std::unique_ptr<x11::RootState> root_;
    std::unique_ptr<x11::WindowCache> windows_;
};

}  // namespace brumelis
