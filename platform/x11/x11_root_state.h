// What the root window says about the whole desktop, kept by the server's
// events: the active window and what the window manager supports
// (PropertyNotify on the root), whether a compositing manager runs (XFixes
// SelectionNotify on its selection). A value reset by an event is read again
// when next asked, so an idle desktop costs no round trip.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace brumelis::x11 {

struct Atoms;

class RootState {
public:
    // Asks for the root's property events and the compositor's selection.
    RootState(Display* display, const Atoms& atoms);
    RootState(const RootState&) = delete;
    RootState& operator=(const RootState&) = delete;

    // _NET_ACTIVE_WINDOW: a client id, None when absent.
    Window ActiveWindow();
    // _NET_SUPPORTED lists the atom.
    bool Supports(Atom atom);
    // Some client owns _NET_WM_CM_S<screen>.
    bool CompositorRuns();

    // True when the event was the compositor's selection notice, which only
    // this connection's window system asked for.
    bool Observe(const XEvent& event);

private:
    Display* display_;
    Window root_;
    const Atoms& atoms_;
    int fixesEventBase_ = -1;  // -1: no XFixes, the compositor is asked
    std::optional<Window> active_;
    std::optional<std::vector<unsigned long>> supported_;
    std::optional<bool> compositor_;
    std::int64_t compositorAskedAt_ = 0;  // without XFixes, ms of the steady clock
};

}  // namespace brumelis::x11
