// The operations, in EWMH terms:
// - above is the window's _NET_WM_STATE_ABOVE, asked of the window manager
//   with a message; only the windows it manages can be in its band;
// - the opacity is _NET_WM_WINDOW_OPACITY = opacity * 0x01010101, on the
//   frame, which compositors read, and on the client, which window managers
//   copy to the frame;
// - the visible frame is the client's place on the root widened by
//   _NET_FRAME_EXTENTS: the frame window of metacity or mutter is larger
//   than what is drawn (invisible resize borders of 10 to 26 px).
#include "platform/x11/x11_window_system.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>

#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_root_state.h"
#include "platform/x11/x11_session.h"
#include "platform/x11/x11_tree.h"
#include "platform/x11/x11_window_cache.h"
#include "platform/x11/x11_window_list.h"

namespace brumelis {

namespace {

constexpr long kRemove = 0;
constexpr long kAdd = 1;
constexpr unsigned long kOpacityPerStep = 0x01010101;

Window ClientOf(WindowHandle handle) {
    return handle > 0 ? static_cast<Window>(handle) : None;
}

bool Holds(const std::vector<unsigned long>& atoms, Atom atom) {
    return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

// The client's inner corner on the root, then its outline, widened by what
// the frame's extents say it adds.
ScreenRect VisibleFrameOf(const x11::FollowedWindow& window) {
    const x11::Geometry& own = window.own;
    const x11::Geometry& frame = window.frame;
    const int x =
        window.Framed() ? frame.x + frame.border + window.offset->first : own.x + own.border;
    const int y =
        window.Framed() ? frame.y + frame.border + window.offset->second : own.y + own.border;
    ScreenRect rect{x - own.border, y - own.border, x + own.width + own.border,
                    y + own.height + own.border};
    if (!window.Framed()) return rect;
    const std::vector<unsigned long>& extents = *window.extents;
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

}  // namespace

X11WindowSystem::X11WindowSystem(Display* display)
    : display_(display), atoms_(std::make_unique<const x11::Atoms>(display)) {
    x11::InstallErrorPolicy();
    root_ = std::make_unique<x11::RootState>(display_, *atoms_);
    windows_ = std::make_unique<x11::WindowCache>(display_, *atoms_);
    XFlush(display_);
}

X11WindowSystem::~X11WindowSystem() = default;

bool X11WindowSystem::Observe(const XEvent& event) {
    const bool rootOnly = root_->Observe(event);
    return windows_->Observe(event) || rootOnly;
}

WindowHandle X11WindowSystem::ForegroundWindow() {
    return static_cast<WindowHandle>(root_->ActiveWindow());
}

std::optional<ScreenRect> X11WindowSystem::VisibleFrame(WindowHandle handle) {
    x11::FollowedWindow* window = windows_->Follow(ClientOf(handle));
    if (window == nullptr || !windows_->Locate(*window)) return std::nullopt;
    return VisibleFrameOf(*window);
}

void X11WindowSystem::WatchMoves(WindowHandle window, std::function<void()> moved) {
    windows_->WatchMoves(ClientOf(window), std::move(moved));
}

// Only the window manager keeps a window in its band, and only the windows
// it manages: a withdrawn window or an override-redirect one (a menu, a
// popup, another copy's toolbar) has no one to ask, and nothing is written
// on another program's window, so the answer is a refusal for that window.
// A window that is gone has nothing to refuse.
ChangeAnswer X11WindowSystem::KeepAbove(WindowHandle handle, bool above) {
    x11::FollowedWindow* window = windows_->Follow(ClientOf(handle));
    if (window == nullptr) return ChangeAnswer::kAccepted;
    // A manager that died, or is being replaced, leaves its list of what it
    // supports on the root: no one would take the request now.
    if (FindWindowManagerProblem(display_)) return ChangeAnswer::kNotNow;
    if (!root_->Supports(atoms_->netWmStateAbove)) return ChangeAnswer::kUnsupported;
    if (!windows_->IsManaged(*window)) return ChangeAnswer::kRefused;
    const Window client = window->client;
    const bool wasAbove = Holds(windows_->StateOf(*window), atoms_->netWmStateAbove);
    {
        x11::SentRequests::Batch batch(windows_->Requests(), client);
        x11::SendToRoot(display_, client, atoms_->netWmState,
                        {above ? kAdd : kRemove, static_cast<long>(atoms_->netWmStateAbove), 0,
                         x11::kSourceIsUserTool, 0});
        // Entering the band, or leaving it, puts the window at the top of
        // the windows it then stacks with.
        if (above || wasAbove) {
            x11::SendToRoot(display_, client, atoms_->netRestackWindow,
                            {x11::kSourceIsUserTool, None, Above, 0, 0});
        }
    }
    XFlush(display_);
    return ChangeAnswer::kAccepted;
}

// Written even without a compositor, so that it shows once one starts.
ChangeAnswer X11WindowSystem::SetOpacity(WindowHandle handle, std::uint8_t opacity) {
    x11::FollowedWindow* window = windows_->Follow(ClientOf(handle));
    if (window == nullptr) return ChangeAnswer::kAccepted;  // nothing to refuse
    const unsigned long value = opacity * kOpacityPerStep;
    {
        x11::SentRequests::Batch batch(windows_->Requests(), window->client);
        x11::WriteLongs(display_, window->client, atoms_->netWmWindowOpacity, XA_CARDINAL, {value});
        if (window->Framed()) {
            x11::WriteLongs(display_, window->topLevel, atoms_->netWmWindowOpacity, XA_CARDINAL,
                            {value});
        }
    }
    XFlush(display_);
    return root_->CompositorRuns() ? ChangeAnswer::kAccepted : ChangeAnswer::kUnsupported;
}

void X11WindowSystem::Activate(WindowHandle handle) {
    x11::FollowedWindow* window = windows_->Follow(ClientOf(handle));
    // Only the window manager activates, and only the windows it manages.
    if (window == nullptr || !windows_->IsManaged(*window)) return;
    {
        x11::SentRequests::Batch batch(windows_->Requests(), window->client);
        x11::SendToRoot(display_, window->client, atoms_->netActiveWindow,
                        {x11::kSourceIsUserTool, CurrentTime, 0, 0, 0});
    }
    XFlush(display_);
}

// Every X top level stacks in one order: the level `window` is in is the
// root's children.
std::vector<ListedWindow> X11WindowSystem::TopLevelWindows(WindowHandle window,
                                                           std::size_t titleLength) {
    const Window client = ClientOf(window);
    if (client == None || x11::TopLevelOf(display_, client) == None) return {};
    return x11::ListTopLevelWindows(display_, *atoms_, titleLength);
}

}  // namespace brumelis
