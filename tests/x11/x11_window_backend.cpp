#include "tests/x11/x11_window_backend.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

#include "base/utf8_text.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_tree.h"
#include "tests/x11/support/wait.h"

namespace brumelis::x11_tests {

X11WindowBackend::X11WindowBackend() : display_(XOpenDisplay(nullptr)) {
    if (display_ == nullptr) return;
    calls_ = std::make_unique<X11WindowSystem>(display_);
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    probe_ = XCreateWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, CopyFromParent,
                           InputOnly, CopyFromParent, CWEventMask, &attributes);
    XSync(display_, False);
}

X11WindowBackend::~X11WindowBackend() {
    targets_.clear();
    finished_.clear();
    calls_.reset();
    if (display_ != nullptr) XCloseDisplay(display_);
}

WindowSystem& X11WindowBackend::Calls() {
    // Reads what the socket holds, never waits for the server.
    XEvent event;
    while (XPending(display_) > 0) {
        XNextEvent(display_, &event);
        calls_->Observe(event);
    }
    return *calls_;
}

WindowHandle X11WindowBackend::Start(const TargetOptions& options) {
    std::unique_ptr<TargetProcess> target = TargetProcess::Start(options);
    if (!target) return 0;
    const auto handle = static_cast<WindowHandle>(target->Id());
    targets_[handle] = std::move(target);
    // The window manager may still be busy with the new window's stacking.
    Settle();
    return handle;
}

WindowHandle X11WindowBackend::CreateTestWindow(const Text& title, ScreenRect rect, bool visible) {
    TargetOptions options;
    options.title = Utf8FromText(title);
    options.rect = rect;
    options.hidden = !visible;
    return Start(options);
}

void X11WindowBackend::DestroyTestWindow(WindowHandle handle) {
    const auto target = targets_.find(handle);
    if (target == targets_.end()) return;
    target->second->Destroy();
    finished_.push_back(std::move(target->second));
    targets_.erase(target);
    Settle();
}

bool X11WindowBackend::MakeForeground(WindowHandle handle) {
    x11::SendToRoot(display_, static_cast<Window>(handle),
                    XInternAtom(display_, "_NET_ACTIVE_WINDOW", False),
                    {x11::kSourceIsUserTool, CurrentTime, 0, 0, 0});
    XFlush(display_);
    return WaitUntil([&] { return Calls().ForegroundWindow() == handle; });
}

bool X11WindowBackend::IsVisible(WindowHandle handle) {
    Settle();
    XWindowAttributes attributes{};
    return handle > 0 &&
           XGetWindowAttributes(display_, static_cast<Window>(handle), &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

bool X11WindowBackend::KeptAbove(WindowHandle handle) {
    Settle();
    const std::optional<x11::Longs> state =
        x11::ReadLongs(display_, static_cast<Window>(handle),
                       XInternAtom(display_, "_NET_WM_STATE", False), XA_ATOM);
    const Atom above = XInternAtom(display_, "_NET_WM_STATE_ABOVE", False);
    return state && std::find(state->begin(), state->end(), above) != state->end();
}

std::optional<unsigned long> X11WindowBackend::Cardinal(Window window, const char* property) {
    const std::optional<x11::Longs> items =
        x11::ReadLongs(display_, window, XInternAtom(display_, property, False), XA_CARDINAL);
    if (!items || items->empty()) return std::nullopt;
    return items->front();
}

std::optional<std::uint8_t> X11WindowBackend::Alpha(WindowHandle handle) {
    // What the compositor reads: the frame's opacity. Openbox copies the
    // client's there too, after us.
    Settle();
    const Window frame = x11::TopLevelOf(display_, static_cast<Window>(handle));
    const std::optional<unsigned long> opacity = Cardinal(frame, "_NET_WM_WINDOW_OPACITY");
    if (!opacity) return std::nullopt;
    return static_cast<std::uint8_t>(*opacity >> 24);
}

void X11WindowBackend::Settle() {
    // Twice: what the window manager did for the first request (a focus
    // change, say) is complete once it answers the second.
    for (int round = 0; round < 2; ++round) {
        const Atom extents = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
        XDeleteProperty(display_, probe_, extents);
        x11::SendToRoot(display_, probe_,
                        XInternAtom(display_, "_NET_REQUEST_FRAME_EXTENTS", False),
                        {0, 0, 0, 0, 0});
        XFlush(display_);
        if (!AwaitProbeExtents()) return;
    }
}

bool X11WindowBackend::AwaitProbeExtents() {
    const Atom extents = XInternAtom(display_, "_NET_FRAME_EXTENTS", False);
    const auto deadline = std::chrono::steady_clock::now() + kStateTimeout;
    for (;;) {
        XEvent event;
        while (XCheckWindowEvent(display_, probe_, PropertyChangeMask, &event)) {
            if (event.xproperty.atom == extents && event.xproperty.state == PropertyNewValue) {
                return true;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
        XEventsQueued(display_, QueuedAfterReading);
    }
}

}  // namespace brumelis::x11_tests
