// The windows the window system was asked about, kept true by the server's
// events: which ones it follows (a handful, the least recently asked
// forgotten first), what it learns of one when first asked, and the windows
// whose requests failed (errors come back later, by serial), which it forgets.
// Events only reset what they change (a property is read again when next
// needed) or carry the new value themselves (a frame's place): while nothing
// moves, the follower's questions cost no round trip.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_followed_window.h"

namespace brumelis::x11 {

struct Atoms;

class WindowCache {
public:
    // Asks for the root's substructure events: frames move and go there.
    WindowCache(Display* display, const Atoms& atoms);
    // Gives back the event masks it added to other clients' windows.
    ~WindowCache();
    WindowCache(const WindowCache&) = delete;
    WindowCache& operator=(const WindowCache&) = delete;

    // The window, followed from now on; nothing when `window` names none.
    // A few round trips the first time, none after.
    FollowedWindow* Follow(Window window);
    // Its _NET_WM_STATE atoms, read when unknown.
    const std::vector<unsigned long>& StateOf(FollowedWindow& window);
    // ICCCM WM_STATE Normal or Iconic: the window manager has it.
    bool IsManaged(FollowedWindow& window);
    // Makes the client's place in its frame and the frame's extents known;
    // false, and the window forgotten, when it is gone.
    bool Locate(FollowedWindow& window);

    // `moved` is called when an event changes the visible frame of `window`
    // (moved, resized, reframed), once it was located; nothing for 0.
    void WatchMoves(Window window, std::function<void()> moved);

    // The requests without a reply about followed windows go in batches of
    // this record, so that their errors name the window.
    SentRequests& Requests() { return sent_; }

    // Brings the cache up to date with one event read from the connection.
    // True when the event concerns no one else (the root's substructure
    // events, which only the cache asked for).
    bool Observe(const XEvent& event);

private:
    void ForgetWindowsWithFailedRequests();
    bool Learn(FollowedWindow& window);
    void Forget(Window client);
    FollowedWindow* FindByTopLevel(Window topLevel);
    void ObserveProperty(const XPropertyEvent& event);
    void ObserveConfigure(const XConfigureEvent& event);
    void ObserveStructure(const XEvent& event, Window subject);
    void FrameChanged(Window client);

    Display* display_;
    Window root_;
    const Atoms& atoms_;
    SentRequests sent_;
    std::map<Window, std::unique_ptr<FollowedWindow>> followed_;
    std::uint64_t uses_ = 0;
    Window watched_ = None;
    std::function<void()> moved_;
};

}  // namespace brumelis::x11
