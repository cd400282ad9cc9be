// The cache of the window system: which windows it follows, what it learns
// of one when first asked, and how the server's events keep it true. Events
// only reset what they change (a property is read again when next needed)
// or carry the new value themselves (a frame's place): while nothing moves,
// the follower's questions cost no round trip.
#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>

#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_followed_window.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_window_system.h"

namespace brumelis {

namespace {

// The foreground window, a pinned one, the toolbar: a handful is enough,
// and each one followed costs the server a little on every change.
constexpr std::size_t kMostFollowed = 8;
constexpr long kFollowMask = PropertyChangeMask | StructureNotifyMask;
constexpr long kNotSelected = -1;

// The window's parent, and the child of the root that holds it (the window
// itself when the root is its parent); None for both when it is gone.
struct Ancestry {
    Window parent = None;
    Window topLevel = None;
};

Ancestry AncestryOf(Display* display, Window window, const x11::ErrorTrap& trap) {
    Ancestry found;
    for (Window current = window;;) {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        const Status status = XQueryTree(display, current, &root, &parent, &children, &count);
        if (children != nullptr) XFree(children);
        if (status == 0 || trap.Seen() || parent == None) return Ancestry{};
        if (found.parent == None) found.parent = parent;
        if (parent == root) {
            found.topLevel = current;
            return found;
        }
        current = parent;
    }
}

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

bool SameGeometry(const x11::Geometry& a, const x11::Geometry& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height &&
           a.border == b.border;
}

}  // namespace

// With a connection of its own, the events asked for wait in Xlib's queue:
// taken out here (reading what the socket holds, never waiting for the
// server), the others left for their owner.
void X11WindowSystem::TakeQueuedEvents() {
    if (feed_ == EventFeed::kOwnQueue) {
        const auto forCache = [](Display*, XEvent* event, XPointer self) -> Bool {
            const auto* system = reinterpret_cast<const X11WindowSystem*>(self);
            const Window window = event->xany.window;
            return window == system->root_ || system->followed_.count(window) != 0;
        };
        XEvent event;
        while (XCheckIfEvent(display_, &event, forCache, reinterpret_cast<XPointer>(this))) {
            Observe(event);
        }
    }
    for (const Window window : sent_->TakeFailed()) Forget(window);
}

x11::FollowedWindow* X11WindowSystem::Follow(WindowHandle handle) {
    if (handle <= 0) return nullptr;
    const auto client = static_cast<Window>(handle);
    auto found = followed_.find(client);
    if (found == followed_.end()) {
        auto window = std::make_unique<x11::FollowedWindow>();
        window->client = client;
        window->previousMask = kNotSelected;
        found = followed_.emplace(client, std::move(window)).first;
    }
    x11::FollowedWindow& window = *found->second;
    if (!window.learnt && !Learn(window)) {
        Forget(client);
        return nullptr;
    }
    window.lastUse = ++uses_;
    if (followed_.size() > kMostFollowed) {
        auto oldest = followed_.begin();
        for (auto it = followed_.begin(); it != followed_.end(); ++it) {
            if (it->second->lastUse < oldest->second->lastUse) oldest = it;
        }
        Forget(oldest->first);
    }
    return &window;
}

// A few round trips, once per window and again after it is reparented.
// Its events are asked for first: whatever changes after a read then
// reaches the cache.
bool X11WindowSystem::Learn(x11::FollowedWindow& window) {
    x11::ErrorTrap trap(display_);
    XWindowAttributes attributes{};
    if (window.previousMask == kNotSelected) {
        if (XGetWindowAttributes(display_, window.client, &attributes) == 0 || trap.Seen()) {
            return false;
        }
        // The toolkit's own windows keep the events it asked for.
        window.previousMask = attributes.your_event_mask;
        if ((window.previousMask & kFollowMask) != kFollowMask) {
            XSelectInput(display_, window.client, window.previousMask | kFollowMask);
        }
    }
    if (XGetWindowAttributes(display_, window.client, &attributes) == 0 || trap.Seen()) {
        return false;
    }
    window.own = {attributes.x, attributes.y, attributes.width, attributes.height,
                  attributes.border_width};
    window.overrideRedirect = attributes.override_redirect != False;
    window.mapped = attributes.map_state != IsUnmapped;
    const Ancestry ancestry = AncestryOf(display_, window.client, trap);
    if (ancestry.topLevel == None) return false;
    window.parent = ancestry.parent;
    window.topLevel = ancestry.topLevel;
    window.frame = window.own;
    window.offset.reset();
    if (window.Framed()) {
        Window root = None;
        unsigned int width = 0, height = 0, border = 0, depth = 0;
        if (XGetGeometry(display_, window.topLevel, &root, &window.frame.x, &window.frame.y, &width,
                         &height, &border, &depth) == 0 ||
            trap.Seen()) {
            return false;
        }
        window.frame.width = static_cast<int>(width);
        window.frame.height = static_cast<int>(height);
        window.frame.border = static_cast<int>(border);
        if (window.parent == window.topLevel) {
            window.offset =
                std::make_pair(window.own.x + window.own.border, window.own.y + window.own.border);
        }
    }
    window.state.reset();
    window.extents.reset();
    window.managed.reset();
    window.learnt = true;
    return true;
}

void X11WindowSystem::Forget(Window client) {
    const auto found = followed_.find(client);
    if (found == followed_.end()) return;
    const long previous = found->second->previousMask;
    if (previous != kNotSelected && (previous & kFollowMask) != kFollowMask) {
        x11::SentRequests::Batch batch(*sent_, client);
        XSelectInput(display_, client, previous);
    }
    followed_.erase(found);
}

x11::FollowedWindow* X11WindowSystem::FindByTopLevel(Window topLevel) {
    for (auto& [client, window] : followed_) {
        if (window->learnt && window->Framed() && window->topLevel == topLevel) {
            return window.get();
        }
    }
    return nullptr;
}

bool X11WindowSystem::Observe(const XEvent& event) {
    if (event.type == PropertyNotify) {
        ObserveProperty(event.xproperty.window, event.xproperty.atom);
        return false;
    }
    if (fixesEventBase_ >= 0 && event.type == fixesEventBase_ + XFixesSelectionNotify) {
        const auto& notice = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
        if (notice.selection != atoms_->netWmCompositor) return false;
        compositor_ = notice.owner != None;
        return true;
    }
    const Window subject = Subject(event);
    if (subject == None) return false;
    ObserveStructure(event);
    return event.xany.window == root_ && subject != root_;
}

void X11WindowSystem::ObserveProperty(Window window, unsigned long atom) {
    if (window == root_) {
        if (atom == atoms_->netActiveWindow) active_.reset();
        if (atom == atoms_->netSupported) supported_.reset();
        return;
    }
    const auto found = followed_.find(window);
    if (found == followed_.end()) return;
    x11::FollowedWindow& followed = *found->second;
    if (atom == atoms_->netWmState) followed.state.reset();
    if (atom == atoms_->wmState) followed.managed.reset();
    if (atom == atoms_->netFrameExtents) {
        followed.extents.reset();
        FrameChanged(window);
    }
}

// A window at the root's level arrives twice (its own structure and the
// root's substructure), with the same news: handled the same way.
void X11WindowSystem::ObserveStructure(const XEvent& event) {
    const Window subject = Subject(event);
    const auto found = followed_.find(subject);
    x11::FollowedWindow* client = found != followed_.end() ? found->second.get() : nullptr;
    switch (event.type) {
        case ConfigureNotify: {
            const XConfigureEvent& notice = event.xconfigure;
            // The window manager's own notices to its clients, in root
            // coordinates: the server's real one is enough.
            if (notice.send_event != False) return;
            const x11::Geometry geometry{notice.x, notice.y, notice.width, notice.height,
                                         notice.border_width};
            if (client != nullptr && client->learnt && !SameGeometry(client->own, geometry)) {
                client->own = geometry;
                if (!client->Framed()) client->frame = geometry;
                if (client->Framed() && client->parent == client->topLevel) {
                    client->offset =
                        std::make_pair(geometry.x + geometry.border, geometry.y + geometry.border);
                } else if (client->Framed()) {
                    client->offset.reset();
                }
                FrameChanged(subject);
            }
            x11::FollowedWindow* framed = FindByTopLevel(subject);
            if (framed != nullptr && !SameGeometry(framed->frame, geometry)) {
                // A resized frame may have moved the client inside it.
                if (framed->frame.width != geometry.width ||
                    framed->frame.height != geometry.height) {
                    if (framed->parent != framed->topLevel) framed->offset.reset();
                }
                framed->frame = geometry;
                FrameChanged(framed->client);
            }
            return;
        }
        case MapNotify:
            if (client != nullptr) client->mapped = true;
            return;
        case UnmapNotify:
            if (client != nullptr) client->mapped = false;
            return;
        case DestroyNotify:
            if (client != nullptr) {
                // Gone: no event mask to give back.
                followed_.erase(found);
            } else if (x11::FollowedWindow* framed = FindByTopLevel(subject)) {
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

void X11WindowSystem::FrameChanged(Window client) {
    if (frameListener_) frameListener_(static_cast<WindowHandle>(client));
}

Window X11WindowSystem::TopLevelOf(Window window) {
    const x11::ErrorTrap trap(display_);
    return AncestryOf(display_, window, trap).topLevel;
}

}  // namespace brumelis
