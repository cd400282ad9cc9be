// The operations, over the cache of x11_window_events.cpp:
// - above is the window's _NET_WM_STATE_ABOVE, asked of the window manager
//   with a message for a window it manages, written directly on a withdrawn
//   window (read when it maps) and on an override-redirect one, which only
//   a raise puts above the others;
// - the opacity is _NET_WM_WINDOW_OPACITY = opacity * 0x01010101, on the
//   frame, which compositors read, and on the client, which window managers
//   copy to the frame;
// - the visible frame is the client's place on the root widened by
//   _NET_FRAME_EXTENTS: the frame window of metacity or mutter is larger
//   than what is drawn (invisible resize borders of 10 to 26 px).
#include "platform/x11/x11_window_system.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <chrono>

#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_followed_window.h"
#include "platform/x11/x11_properties.h"

namespace brumelis {

namespace {

constexpr long kRemove = 0;
constexpr long kAdd = 1;
constexpr unsigned long kOpacityPerStep = 0x01010101;
// Without XFixes the compositor's selection is asked again at most this
// often: once per tick of the follower.
constexpr std::int64_t kCompositorAskInterval = 100;

bool Holds(const std::vector<unsigned long>& atoms, Atom atom) {
    return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

std::int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

X11WindowSystem::X11WindowSystem(Display* display, EventFeed feed)
    : display_(display),
      feed_(feed),
      root_(DefaultRootWindow(display)),
      atoms_(std::make_unique<const x11::Atoms>(display)),
      sent_(std::make_unique<x11::SentRequests>(display)) {
    x11::InstallErrorPolicy();
    // Added to what the toolkit asked of the root on this connection: the
    // active window and the supported list change by property, frames move
    // and go as the root's substructure.
    XWindowAttributes root{};
    XGetWindowAttributes(display_, root_, &root);
    XSelectInput(display_, root_,
                 root.your_event_mask | PropertyChangeMask | SubstructureNotifyMask);
    int errorBase = 0;
    if (XFixesQueryExtension(display_, &fixesEventBase_, &errorBase) != 0) {
        XFixesSelectSelectionInput(display_, root_, atoms_->netWmCompositor,
                                   XFixesSetSelectionOwnerNotifyMask |
                                       XFixesSelectionWindowDestroyNotifyMask |
                                       XFixesSelectionClientCloseNotifyMask);
    } else {
        fixesEventBase_ = -1;
    }
    XFlush(display_);
}

X11WindowSystem::~X11WindowSystem() {
    while (!followed_.empty()) Forget(followed_.begin()->first);
    XFlush(display_);
}

void X11WindowSystem::OnVisibleFrameChanged(std::function<void(WindowHandle)> listener) {
    frameListener_ = std::move(listener);
}

void X11WindowSystem::WatchMoves(WindowHandle window, std::function<void()> moved) {
    if (window == 0 || !moved) {
        OnVisibleFrameChanged(nullptr);
        return;
    }
    OnVisibleFrameChanged([window, moved = std::move(moved)](WindowHandle changed) {
        if (changed == window) moved();
    });
}

WindowHandle X11WindowSystem::ForegroundWindow() {
    TakeQueuedEvents();
    if (!active_) {
        active_ = static_cast<WindowHandle>(
            x11::ReadLong(display_, root_, atoms_->netActiveWindow, XA_WINDOW, None));
    }
    return *active_;
}

std::optional<ScreenRect> X11WindowSystem::VisibleFrame(WindowHandle handle) {
    TakeQueuedEvents();
    x11::FollowedWindow* window = Follow(handle);
    if (window == nullptr) return std::nullopt;
    if (window->Framed() && !window->offset) {
        x11::ErrorTrap trap(display_);
        int x = 0;
        int y = 0;
        Window child = None;
        if (XTranslateCoordinates(display_, window->client, window->topLevel, 0, 0, &x, &y,
                                  &child) == 0 ||
            trap.Seen()) {
            Forget(window->client);
            return std::nullopt;
        }
        window->offset = std::make_pair(x, y);
    }
    if (window->Framed() && !window->extents) {
        window->extents =
            x11::ReadLongs(display_, window->client, atoms_->netFrameExtents, XA_CARDINAL);
        if (!window->extents) {
            Forget(window->client);
            return std::nullopt;
        }
    }
    // The client's inner corner on the root, then its outline.
    const x11::Geometry& own = window->own;
    const x11::Geometry& frame = window->frame;
    const int x =
        window->Framed() ? frame.x + frame.border + window->offset->first : own.x + own.border;
    const int y =
        window->Framed() ? frame.y + frame.border + window->offset->second : own.y + own.border;
    ScreenRect rect{x - own.border, y - own.border, x + own.width + own.border,
                    y + own.height + own.border};
    if (!window->Framed()) return rect;
    const std::vector<unsigned long>& extents = *window->extents;
    if (extents.size() == 4) {
        rect.left -= static_cast<std::int32_t>(extents[0]);
        rect.right += static_cast<std::int32_t>(extents[1]);
        rect.top -= static_cast<std::int32_t>(extents[2]);
        rect.bottom += static_cast<std::int32_t>(extents[3]);
        return rect;
    }
    // A window manager that does not say what its frame adds: the frame.
    return ScreenRect{frame.x, frame.y, frame.x + frame.width + 2 * frame.border,
                      frame.y + frame.height + 2 * frame.border};
}

void X11WindowSystem::KeepAbove(WindowHandle handle, bool above) {
    TakeQueuedEvents();
    x11::FollowedWindow* window = Follow(handle);
    if (window == nullptr) return;
    const Window client = window->client;
    if (IsManaged(*window)) {
        const bool wasAbove = Holds(StateOf(*window), atoms_->netWmStateAbove);
        x11::SentRequests::Batch batch(*sent_, client);
        x11::SendToRoot(display_, client, atoms_->netWmState,
                        {above ? kAdd : kRemove, static_cast<long>(atoms_->netWmStateAbove), 0,
                         x11::kSourceIsUserTool, 0});
        // Entering the band, or leaving it, puts the window at the top of
        // the windows it then stacks with.
        if (above || wasAbove) {
            x11::SendToRoot(display_, client, atoms_->netRestackWindow,
                            {x11::kSourceIsUserTool, None, Above, 0, 0});
        }
    } else {
        std::vector<unsigned long> state = StateOf(*window);
        x11::SentRequests::Batch batch(*sent_, client);
        // Unchanged, as on every tick for the toolbar: no write, no event.
        if (Holds(state, atoms_->netWmStateAbove) != above) {
            state.erase(std::remove(state.begin(), state.end(), atoms_->netWmStateAbove),
                        state.end());
            if (above) state.push_back(atoms_->netWmStateAbove);
            x11::WriteLongs(display_, client, atoms_->netWmState, XA_ATOM, state);
            window->state = state;
        }
        if (!window->mapped) {
            // Mapped with a user time of 0, a window is not given the focus.
            if (!window->overrideRedirect) {
                x11::WriteLongs(display_, client, atoms_->netWmUserTime, XA_CARDINAL, {0});
            }
            XMapWindow(display_, client);
            window->mapped = true;
        }
        if (above && window->overrideRedirect) XRaiseWindow(display_, client);
    }
    XFlush(display_);
}

bool X11WindowSystem::IsKeptAbove(WindowHandle handle) {
    TakeQueuedEvents();
    x11::FollowedWindow* window = Follow(handle);
    return window != nullptr && Holds(StateOf(*window), atoms_->netWmStateAbove);
}

bool X11WindowSystem::CanKeepAbove() {
    TakeQueuedEvents();
    return Holds(SupportedAtoms(), atoms_->netWmStateAbove);
}

void X11WindowSystem::SetOpacity(WindowHandle handle, std::uint8_t opacity) {
    TakeQueuedEvents();
    x11::FollowedWindow* window = Follow(handle);
    if (window == nullptr) return;
    const unsigned long value = opacity * kOpacityPerStep;
    {
        x11::SentRequests::Batch batch(*sent_, window->client);
        x11::WriteLongs(display_, window->client, atoms_->netWmWindowOpacity, XA_CARDINAL, {value});
        if (window->Framed()) {
            x11::WriteLongs(display_, window->topLevel, atoms_->netWmWindowOpacity, XA_CARDINAL,
                            {value});
        }
    }
    XFlush(display_);
}

bool X11WindowSystem::ShowsOpacity() {
    TakeQueuedEvents();
    const std::int64_t now = SteadyMilliseconds();
    const bool watched = fixesEventBase_ >= 0;
    if (!compositor_ || (!watched && now - compositorAskedAt_ >= kCompositorAskInterval)) {
        compositor_ = XGetSelectionOwner(display_, atoms_->netWmCompositor) != None;
        compositorAskedAt_ = now;
    }
    return *compositor_;
}

void X11WindowSystem::Activate(WindowHandle handle) {
    TakeQueuedEvents();
    x11::FollowedWindow* window = Follow(handle);
    // Only the window manager activates, and only the windows it manages.
    if (window == nullptr || !IsManaged(*window)) return;
    {
        x11::SentRequests::Batch batch(*sent_, window->client);
        x11::SendToRoot(display_, window->client, atoms_->netActiveWindow,
                        {x11::kSourceIsUserTool, CurrentTime, 0, 0, 0});
    }
    XFlush(display_);
}

const std::vector<unsigned long>& X11WindowSystem::StateOf(x11::FollowedWindow& window) {
    if (!window.state) {
        window.state = x11::ReadLongs(display_, window.client, atoms_->netWmState, XA_ATOM)
                           .value_or(x11::Longs{});
    }
    return *window.state;
}

bool X11WindowSystem::IsManaged(x11::FollowedWindow& window) {
    constexpr unsigned long kWithdrawnState = 0;
    if (!window.managed) {
        window.managed = x11::ReadLong(display_, window.client, atoms_->wmState, atoms_->wmState,
                                       kWithdrawnState) != kWithdrawnState;
    }
    return *window.managed;
}

const std::vector<unsigned long>& X11WindowSystem::SupportedAtoms() {
    if (!supported_) {
        supported_ =
            x11::ReadLongs(display_, root_, atoms_->netSupported, XA_ATOM).value_or(x11::Longs{});
    }
    return *supported_;
}

}  // namespace brumelis
