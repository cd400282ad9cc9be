// How the server's events keep the window cache true. A window at the root's
// level arrives twice (its own structure and the root's substructure), with
// the same news: handled the same way.
#include <X11/Xatom.h>

#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_window_cache.h"

namespace brumelis::x11 {

namespace {

// The window a structure event is about (the event's own window is the one
// whose structure or substructure was selected).
Window Subject(const XEvent& event) {
    switch (event.type) {
        case ConfigureNotify: return event.xconfigure.window;
        case MapNotify: return event.xmap.window;
        case UnmapNotify: return event.xunmap.window;
        case DestroyNotify: return event.xdestroywindow.window;
        case ReparentNotify: return event.xreparent.window;
        case CreateNotify: return event.xcreatewindow.window;
        case GravityNotify: return event.xgravity.window;
        case CirculateNotify: return event.xcirculate.window;
        default: return None;
    }
}

bool SameGeometry(const Geometry& a, const Geometry& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height &&
           a.border == b.border;
}

}  // namespace

bool WindowCache::Observe(const XEvent& event) {
    if (event.type == PropertyNotify) {
        ObserveProperty(event.xproperty);
        return false;
    }
    const Window subject = Subject(event);
    if (subject == None) return false;
    if (event.type == ConfigureNotify) {
        ObserveConfigure(event.xconfigure);
    } else {
        ObserveStructure(event, subject);
    }
    return event.xany.window == root_ && subject != root_;
}

FollowedWindow* WindowCache::FindByTopLevel(Window topLevel) {
    for (auto& [client, window] : followed_) {
        if (window->learnt && window->Framed() && window->topLevel == topLevel) {
            return window.get();
        }
    }
    return nullptr;
}

void WindowCache::ObserveProperty(const XPropertyEvent& event) {
    const auto found = followed_.find(event.window);
    if (found == followed_.end()) return;
    FollowedWindow& followed = *found->second;
    if (event.atom == atoms_.netWmState) followed.state.reset();
    if (event.atom == atoms_.wmState) followed.managed.reset();
    if (event.atom == atoms_.netFrameExtents) {
        followed.extents.reset();
        FrameChanged(event.window);
    }
}

// The new place comes in the event: the next question is answered without
// a round trip.
void WindowCache::ObserveConfigure(const XConfigureEvent& notice) {
    // The window manager's own notices to its clients, in root coordinates:
    // the server's real one is enough.
    if (notice.send_event != False) return;
    const Geometry geometry{notice.x, notice.y, notice.width, notice.height, notice.border_width};
    const auto found = followed_.find(notice.window);
    FollowedWindow* client = found != followed_.end() ? found->second.get() : nullptr;
    if (client != nullptr && client->learnt && !SameGeometry(client->own, geometry)) {
        client->own = geometry;
        if (!client->Framed()) client->frame = geometry;
        if (client->Framed() && client->parent == client->topLevel) {
            client->offset =
                std::make_pair(geometry.x + geometry.border, geometry.y + geometry.border);
        } else if (client->Framed()) {
            client->offset.reset();
        }
        FrameChanged(notice.window);
    }
    FollowedWindow* framed = FindByTopLevel(notice.window);
    if (framed != nullptr && !SameGeometry(framed->frame, geometry)) {
        // A resized frame may have moved the client inside it.
        if (framed->frame.width != geometry.width || framed->frame.height != geometry.height) {
            if (framed->parent != framed->topLevel) framed->offset.reset();
        }
        framed->frame = geometry;
        FrameChanged(framed->client);
    }
}

void WindowCache::ObserveStructure(const XEvent& event, Window subject) {
    const auto found = followed_.find(subject);
    FollowedWindow* client = found != followed_.end() ? found->second.get() : nullptr;
    switch (event.type) {
        case DestroyNotify:
            if (client != nullptr) {
                // Gone: no event mask to give back.
                followed_.erase(found);
            } else if (FollowedWindow* framed = FindByTopLevel(subject)) {
                framed->learnt = false;
            }
            return;
        case ReparentNotify:
            if (client != nullptr && client->learnt) {
                client->learnt = false;
                FrameChanged(subject);
            }
            return;
        default: return;
    }
}

}  // namespace brumelis::x11
