// What the window system knows of a window it was asked about, kept true by
// the server's events: its frame's place, the client's place in that frame,
// and the properties the follower reads. A value reset to nothing is read
// again when next needed; an event after the read always resets it, so the
// cache is never left stale without knowing it.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace brumelis::x11 {

// A window's outer rectangle in its parent, as X gives it: the corner of
// its border, its inner size and the border's width.
struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int border = 0;
};

struct FollowedWindow {
    Window client = None;
    // The event mask this connection had on the client before; restored
    // when the window is no longer followed.
    long previousMask = 0;
    // The structure below is known: parent, top level, geometry.
    bool learnt = false;
    Window parent = None;
    // The child of the root that holds the client: the window manager's
    // frame, or the client itself.
    Window topLevel = None;
    Geometry own;    // in its parent
    Geometry frame;  // the top level's, on the root
    // The client's inner origin from the top level's inner origin.
    std::optional<std::pair<int, int>> offset;
    std::optional<std::vector<unsigned long>> state;    // _NET_WM_STATE atoms
    std::optional<std::vector<unsigned long>> extents;  // _NET_FRAME_EXTENTS; empty: none
    std::optional<bool> managed;                        // ICCCM WM_STATE Normal or Iconic
    std::uint64_t lastUse = 0;

    bool Framed() const { return topLevel != client; }
};

}  // namespace brumelis::x11
