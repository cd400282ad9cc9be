// The window system over Xlib and the EWMH/ICCCM conventions, for a desktop
// run by an EWMH window manager. A handle is the id of a client window (the
// window a program made); what the user sees of it is the window manager's
// frame around it, the child of the root that holds it.
//
// What the follower asks ten times a second (the active window, a window's
// frame, its state, what the window manager supports, whether a compositor
// runs) is kept in a cache that the server's events keep true, so that an
// idle desktop costs no round trip. Nothing waits for another client:
// requests to the window manager are messages, and failures of requests
// without a reply come back through the one error handler.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
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
struct FollowedWindow;
class SentRequests;
// An X resource id, as Xlib's Window.
using XWindow = unsigned long;
}  // namespace x11

class X11WindowSystem final : public WindowSystem {
public:
    // Who reads the connection's events.
    enum class EventFeed {
        // No one else: each operation first takes from Xlib's queue the
        // events the cache asked for (a connection of its own).
        kOwnQueue,
        // A toolkit (GDK) reads them and hands every one to Observe.
        kToolkit,
    };

    // Borrows the connection (the toolkit's, so that both share one error
    // policy), installs the recording error handler, interns the atoms and
    // asks for the root's events.
    explicit X11WindowSystem(Display* display, EventFeed feed = EventFeed::kOwnQueue);
    ~X11WindowSystem() override;
    X11WindowSystem(const X11WindowSystem&) = delete;
    X11WindowSystem& operator=(const X11WindowSystem&) = delete;

    WindowHandle ForegroundWindow() override;
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override;
    // Told by the cache (OnVisibleFrameChanged): the server's ConfigureNotify
    // of the window or of its frame, once VisibleFrame was asked of it.
    void WatchMoves(WindowHandle window, std::function<void()> moved) override;
    void KeepAbove(WindowHandle window, bool above) override;
    bool IsKeptAbove(WindowHandle window) override;
    bool CanKeepAbove() override;
    void SetOpacity(WindowHandle window, std::uint8_t opacity) override;
    bool ShowsOpacity() override;
    void Activate(WindowHandle window) override;
    WindowHandle TopWindow(WindowHandle window) override;
    WindowHandle WindowBelow(WindowHandle window) override;
    std::optional<Text> Title(WindowHandle window, std::size_t maxLength) override;

    // Brings the cache up to date with one event read from the connection.
    // True when the event concerns no one else (the root's substructure
    // events, which only the cache asked for): the toolkit may drop it.
    bool Observe(const _XEvent& event);
    // Called from Observe when the visible frame of a window the cache
    // follows (one VisibleFrame was asked of) may have changed: moved,
    // resized, reframed. VisibleFrame(window) then answers the new frame
    // without a round trip.
    void OnVisibleFrameChanged(std::function<void(WindowHandle)> listener);

    // The child of the root that holds the window: its frame when a window
    // manager reparented it, the window itself otherwise; None when it is gone.
    x11::XWindow TopLevelOf(x11::XWindow window);

private:
    void TakeQueuedEvents();
    x11::FollowedWindow* Follow(WindowHandle handle);
    bool Learn(x11::FollowedWindow& window);
    void Forget(x11::XWindow client);
    void ForgetFailedWindows();
    x11::FollowedWindow* FindByTopLevel(x11::XWindow topLevel);
    const std::vector<unsigned long>& StateOf(x11::FollowedWindow& window);
    bool IsManaged(x11::FollowedWindow& window);
    const std::vector<unsigned long>& SupportedAtoms();
    void ObserveProperty(x11::XWindow window, unsigned long atom);
    void ObserveStructure(const _XEvent& event);
    void FrameChanged(x11::XWindow client);
    std::vector<x11::XWindow> StackingTopFirst();

    Display* display_;
    EventFeed feed_;
    x11::XWindow root_;
    std::unique_ptr<const x11::Atoms> atoms_;
    std::unique_ptr<x11::SentRequests> sent_;
    int fixesEventBase_ = -1;  // -1: no XFixes, the compositor is asked
    // The root's properties, none until read again after a change.
    std::optional<WindowHandle> active_;
    std::optional<std::vector<unsigned long>> supported_;
    std::optional<bool> compositor_;
    std::int64_t compositorAskedAt_ = 0;  // without XFixes, ms of the steady clock
    // The windows asked about, by client id; a few at most.
    std::map<x11::XWindow, std::unique_ptr<x11::FollowedWindow>> followed_;
    std::uint64_t uses_ = 0;
    std::function<void(WindowHandle)> frameListener_;
    // The top-level windows as the last walk found them, topmost first.
    std::vector<x11::XWindow> walk_;
};

}  // namespace brumelis
