// Following a window: what is learnt of it when first asked, and what is
// read again when an event reset it.
#include "platform/x11/x11_window_cache.h"

#include <X11/Xatom.h>

#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_tree.h"

namespace brumelis::x11 {

namespace {

// The foreground window, a pinned one: a handful is enough, and each one
// followed costs the server a little on every change.
constexpr std::size_t kMostFollowed = 8;
constexpr long kFollowMask = PropertyChangeMask | StructureNotifyMask;
constexpr long kNotSelected = -1;

}  // namespace

WindowCache::WindowCache(Display* display, const Atoms& atoms)
    : display_(display), root_(DefaultRootWindow(display)), atoms_(atoms), sent_(display) {
    // Added to what the toolkit asked of the root on this connection.
    XWindowAttributes root{};
    XGetWindowAttributes(display_, root_, &root);
    XSelectInput(display_, root_, root.your_event_mask | SubstructureNotifyMask);
}

WindowCache::~WindowCache() {
    while (!followed_.empty()) Forget(followed_.begin()->first);
    XFlush(display_);
}

void WindowCache::WatchMoves(Window window, std::function<void()> moved) {
    watched_ = moved ? window : None;
    moved_ = watched_ != None ? std::move(moved) : nullptr;
}

void WindowCache::FrameChanged(Window client) {
    if (client == watched_ && moved_) moved_();
}

// Errors of writes and messages arrive after the call that made them: a
// window whose requests failed is gone, or going.
void WindowCache::ForgetWindowsWithFailedRequests() {
    for (const Window window : sent_.TakeFailed()) Forget(window);
}

FollowedWindow* WindowCache::Follow(Window client) {
    ForgetWindowsWithFailedRequests();
    if (client == None) return nullptr;
    auto found = followed_.find(client);
    if (found == followed_.end()) {
        auto window = std::make_unique<FollowedWindow>();
        window->client = client;
        window->previousMask = kNotSelected;
        found = followed_.emplace(client, std::move(window)).first;
    }
    FollowedWindow& window = *found->second;
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
bool WindowCache::Learn(FollowedWindow& window) {
    const ErrorTrap trap(display_);
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
    const Ancestry ancestry = AncestryOf(display_, window.client);
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

void WindowCache::Forget(Window client) {
    const auto found = followed_.find(client);
    if (found == followed_.end()) return;
    const long previous = found->second->previousMask;
    if (previous != kNotSelected && (previous & kFollowMask) != kFollowMask) {
        SentRequests::Batch batch(sent_, client);
        XSelectInput(display_, client, previous);
    }
    followed_.erase(found);
}

bool WindowCache::Locate(FollowedWindow& window) {
    if (!window.Framed()) return true;
    if (!window.offset) {
        const ErrorTrap trap(display_);
        int x = 0;
        int y = 0;
        Window child = None;
        if (XTranslateCoordinates(display_, window.client, window.topLevel, 0, 0, &x, &y, &child) ==
                0 ||
            trap.Seen()) {
            Forget(window.client);
            return false;
        }
        window.offset = std::make_pair(x, y);
    }
    if (!window.extents) {
        window.extents = ReadLongs(display_, window.client, atoms_.netFrameExtents, XA_CARDINAL);
        if (!window.extents) {
            Forget(window.client);
            return false;
        }
    }
    return true;
}

const std::vector<unsigned long>& WindowCache::StateOf(FollowedWindow& window) {
    if (!window.state) {
        window.state =
            ReadLongs(display_, window.client, atoms_.netWmState, XA_ATOM).value_or(Longs{});
    }
    return *window.state;
}

bool WindowCache::IsManaged(FollowedWindow& window) {
    constexpr unsigned long kWithdrawnState = 0;
    if (!window.managed) {
        window.managed = ReadLong(display_, window.client, atoms_.wmState, atoms_.wmState,
                                  kWithdrawnState) != kWithdrawnState;
    }
    return *window.managed;
}

}  // namespace brumelis::x11
