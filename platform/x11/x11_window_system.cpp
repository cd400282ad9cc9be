#include "platform/x11/x11_window_system.h"

#include <X11/Xatom.h>

#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_window_facts.h"

namespace brumelis {

namespace {

constexpr unsigned long kWithdrawnState = 0;

}  // namespace

X11WindowSystem::X11WindowSystem(Display* display)
    : display_(display),
      root_(DefaultRootWindow(display)),
      atoms_(std::make_unique<const x11::Atoms>(display)) {
    x11::InstallErrorPolicy();
}

X11WindowSystem::~X11WindowSystem() = default;

std::optional<X11WindowSystem::Facts> X11WindowSystem::FactsOf(WindowHandle handle) {
    if (handle <= 0) return std::nullopt;
    Facts facts;
    facts.window = static_cast<Window>(handle);
    x11::ErrorTrap trap(display_);
    if (XGetWindowAttributes(display_, facts.window, &facts.attributes) == 0 || trap.Seen()) {
        return std::nullopt;
    }
    facts.topLevel = TopLevelOf(facts.window);
    if (facts.topLevel == None) return std::nullopt;
    facts.managed = x11::ReadLong(display_, facts.window, atoms_->wmState, atoms_->wmState,
                                  kWithdrawnState) != kWithdrawnState;
    return facts;
}

Window X11WindowSystem::TopLevelOf(Window window) {
    x11::ErrorTrap trap(display_);
    for (Window current = window;;) {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        const Status status = XQueryTree(display_, current, &root, &parent, &children, &count);
        if (children != nullptr) XFree(children);
        if (status == 0 || trap.Seen() || parent == None) return None;
        if (parent == root) return current;
        current = parent;
    }
}

WindowHandle X11WindowSystem::GetForegroundWindow() {
    const unsigned long active =
        x11::ReadLong(display_, root_, atoms_->netActiveWindow, XA_WINDOW, None);
    return static_cast<WindowHandle>(active);
}

bool X11WindowSystem::GetVisibleFrameRect(WindowHandle, ScreenRect&) {
    return false;
}

bool X11WindowSystem::GetWindowRect(WindowHandle handle, ScreenRect& rect) {
    const std::optional<Facts> facts = FactsOf(handle);
    if (!facts) return false;
    x11::ErrorTrap trap(display_);
    const XWindowAttributes& own = facts->attributes;
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(display_, facts->window, root_, 0, 0, &x, &y, &child);
    ScreenRect read{x - own.border_width, y - own.border_width, x + own.width + own.border_width,
                    y + own.height + own.border_width};
    if (facts->Framed()) {
        // What the window manager says its frame adds on each side; without
        // that, the frame window's own outline.
        const std::optional<x11::Longs> extents =
            x11::ReadLongs(display_, facts->window, atoms_->netFrameExtents, XA_CARDINAL);
        if (extents && extents->size() == 4) {
            read.left -= static_cast<std::int32_t>((*extents)[0]);
            read.right += static_cast<std::int32_t>((*extents)[1]);
            read.top -= static_cast<std::int32_t>((*extents)[2]);
            read.bottom += static_cast<std::int32_t>((*extents)[3]);
        } else {
            XWindowAttributes frame{};
            if (XGetWindowAttributes(display_, facts->topLevel, &frame) == 0) return false;
            read = ScreenRect{frame.x, frame.y, frame.x + frame.width + 2 * frame.border_width,
                              frame.y + frame.height + 2 * frame.border_width};
        }
    }
    if (trap.Seen()) return false;
    rect = read;
    return true;
}

WindowHandle X11WindowSystem::SetActiveWindow(WindowHandle handle) {
    const std::optional<Facts> facts = FactsOf(handle);
    // Only the window manager activates, and only the windows it manages.
    if (!facts || !facts->managed) return 0;
    const WindowHandle previous = GetForegroundWindow();
    x11::ErrorTrap trap(display_);
    x11::SendToRoot(display_, facts->window, atoms_->netActiveWindow,
                    {x11::kSourceIsUserTool, CurrentTime, 0, 0, 0});
    return trap.Failed() ? 0 : previous;
}

}  // namespace brumelis
