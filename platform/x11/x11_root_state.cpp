#include "platform/x11/x11_root_state.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <chrono>

#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_properties.h"

namespace brumelis::x11 {

namespace {

// Without XFixes the compositor's selection is asked again at most this
// often: once per tick of the follower.
constexpr std::int64_t kCompositorAskInterval = 100;

std::int64_t SteadyMilliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

RootState::RootState(Display* display, const Atoms& atoms)
    : display_(display), root_(DefaultRootWindow(display)), atoms_(atoms) {
    // Added to what the toolkit and the window cache asked of the root on
    // this connection.
    XWindowAttributes root{};
    XGetWindowAttributes(display_, root_, &root);
    XSelectInput(display_, root_, root.your_event_mask | PropertyChangeMask);
    int errorBase = 0;
    if (XFixesQueryExtension(display_, &fixesEventBase_, &errorBase) != 0) {
        XFixesSelectSelectionInput(display_, root_, atoms_.netWmCompositor,
                                   XFixesSetSelectionOwnerNotifyMask |
                                       XFixesSelectionWindowDestroyNotifyMask |
                                       XFixesSelectionClientCloseNotifyMask);
    } else {
        fixesEventBase_ = -1;
    }
}

Window RootState::ActiveWindow() {
    if (!active_) active_ = ReadLong(display_, root_, atoms_.netActiveWindow, XA_WINDOW, None);
    return *active_;
}

bool RootState::Supports(Atom atom) {
    if (!supported_) {
        supported_ = ReadLongs(display_, root_, atoms_.netSupported, XA_ATOM).value_or(Longs{});
    }
    return std::find(supported_->begin(), supported_->end(), atom) != supported_->end();
}

bool RootState::CompositorRuns() {
    const std::int64_t now = SteadyMilliseconds();
    const bool watched = fixesEventBase_ >= 0;
    if (!compositor_ || (!watched && now - compositorAskedAt_ >= kCompositorAskInterval)) {
        compositor_ = XGetSelectionOwner(display_, atoms_.netWmCompositor) != None;
        compositorAskedAt_ = now;
    }
    return *compositor_;
}

bool RootState::Observe(const XEvent& event) {
    if (event.type == PropertyNotify && event.xproperty.window == root_) {
        if (event.xproperty.atom == atoms_.netActiveWindow) active_.reset();
        if (event.xproperty.atom == atoms_.netSupported) supported_.reset();
        return false;
    }
    if (fixesEventBase_ >= 0 && event.type == fixesEventBase_ + XFixesSelectionNotify) {
        const auto& notice = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
        if (notice.selection != atoms_.netWmCompositor) return false;
        compositor_ = notice.owner != None;
        return true;
    }
    return false;
}

}  // namespace brumelis::x11
