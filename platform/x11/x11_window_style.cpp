// The extended style, the layered alpha and the topmost band on X11:
// - topmost is the window's _NET_WM_STATE_ABOVE, asked of the window manager
//   with a message for a window it manages, written directly on a withdrawn
//   window (read when it maps) and on an override-redirect one, which only
//   a raise puts above the others;
// - the alpha is _NET_WM_WINDOW_OPACITY = alpha * 0x01010101, on the frame,
//   which compositors read, and on the client, which window managers copy;
// - layered is the recorded style bit, or an opacity already on the window;
// - the other bits have no X meaning and are recorded on the window.
#include <X11/Xatom.h>

#include <algorithm>

#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_window_facts.h"

namespace brumelis {

namespace {

constexpr long kRemove = 0;
constexpr long kAdd = 1;
constexpr unsigned long kOpacityPerAlphaStep = 0x01010101;
constexpr std::uint32_t kPlaceFlags = win::kKeepSize | win::kKeepPosition;

std::int32_t RecordedBits(std::int32_t style) {
    return style & ~win::kTopmostStyle;
}

}  // namespace

bool X11WindowSystem::HasAbove(Window window) {
    const std::optional<x11::Longs> state =
        x11::ReadLongs(display_, window, atoms_->netWmState, XA_ATOM);
    return state &&
           std::find(state->begin(), state->end(), atoms_->netWmStateAbove) != state->end();
}

bool X11WindowSystem::HasOpacity(Window window) {
    const std::optional<x11::Longs> opacity =
        x11::ReadLongs(display_, window, atoms_->netWmWindowOpacity, XA_CARDINAL);
    return opacity && !opacity->empty();
}

void X11WindowSystem::SetOpacity(Window client, const std::optional<unsigned long>& value) {
    const Window frame = TopLevelOf(client);
    for (const Window window : {client, frame}) {
        if (window == None) continue;
        if (value) {
            x11::WriteLongs(display_, window, atoms_->netWmWindowOpacity, XA_CARDINAL, {*value});
        } else {
            XDeleteProperty(display_, window, atoms_->netWmWindowOpacity);
        }
        if (frame == client) break;
    }
}

void X11WindowSystem::RecordAbove(Window window, bool above) {
    std::optional<x11::Longs> state = x11::ReadLongs(display_, window, atoms_->netWmState, XA_ATOM);
    if (!state) return;
    const auto end = std::remove(state->begin(), state->end(), atoms_->netWmStateAbove);
    // Unchanged, as on every tick for the toolbar: no write, no event for anyone.
    if ((end != state->end()) == above) return;
    state->erase(end, state->end());
    if (above) state->push_back(atoms_->netWmStateAbove);
    x11::WriteLongs(display_, window, atoms_->netWmState, XA_ATOM, *state);
}

std::int32_t X11WindowSystem::GetWindowLongA(WindowHandle handle, std::int32_t index) {
    if (index != win::kExtendedStyle || handle <= 0) return 0;
    const auto window = static_cast<Window>(handle);
    const std::optional<x11::Longs> recorded =
        x11::ReadLongs(display_, window, atoms_->extendedStyle, XA_CARDINAL);
    if (!recorded) return 0;  // no such window
    std::int32_t style =
        recorded->empty() ? 0 : RecordedBits(static_cast<std::int32_t>(recorded->front()));
    if (HasAbove(window)) style |= win::kTopmostStyle;
    if (HasOpacity(window)) style |= win::kLayeredStyle;
    return style;
}

std::int32_t X11WindowSystem::SetWindowLongA(WindowHandle handle, std::int32_t index,
                                             std::int32_t newLong) {
    if (index != win::kExtendedStyle || !FactsOf(handle)) return 0;
    const auto window = static_cast<Window>(handle);
    const std::int32_t old = GetWindowLongA(handle, index);
    x11::ErrorTrap trap(display_);
    // The band is changed by SetWindowPos only; the bit is not recorded.
    const std::int32_t bits = RecordedBits(newLong);
    if (bits == 0) {
        XDeleteProperty(display_, window, atoms_->extendedStyle);
    } else {
        x11::WriteLongs(display_, window, atoms_->extendedStyle, XA_CARDINAL,
                        {static_cast<unsigned long>(static_cast<std::uint32_t>(bits))});
    }
    // A window that stops being layered is drawn opaque and forgets its alpha.
    if ((bits & win::kLayeredStyle) == 0 && (old & win::kLayeredStyle) != 0) {
        SetOpacity(window, std::nullopt);
    }
    return trap.Failed() ? 0 : old;
}

void X11WindowSystem::SetExtendedStyleLater(WindowHandle handle, std::int32_t style) {
    SetWindowLongA(handle, win::kExtendedStyle, style);
}

bool X11WindowSystem::SetLayeredWindowAttributes(WindowHandle handle, std::uint32_t /*colorKey*/,
                                                 std::uint8_t alpha, std::uint32_t flags) {
    // Compositors know a constant alpha only, no colour key.
    if ((flags & win::kUseAlpha) == 0) return false;
    if ((GetWindowLongA(handle, win::kExtendedStyle) & win::kLayeredStyle) == 0) return false;
    x11::ErrorTrap trap(display_);
    SetOpacity(static_cast<Window>(handle), alpha * kOpacityPerAlphaStep);
    return !trap.Failed();
}

bool X11WindowSystem::SetWindowPos(WindowHandle handle, WindowHandle insertAfter, std::int32_t,
                                   std::int32_t, std::int32_t, std::int32_t, std::uint32_t flags) {
    // Only the band changes here: no place, size or other insertion point.
    const bool above = insertAfter == win::kTopmostBand;
    if ((!above && insertAfter != win::kNonTopmostBand) || (flags & kPlaceFlags) != kPlaceFlags) {
        return false;
    }
    const std::optional<Facts> facts = FactsOf(handle);
    if (!facts) return false;
    const bool show = (flags & win::kShowWindow) != 0;
    const bool unmapped = facts->attributes.map_state == IsUnmapped;
    x11::ErrorTrap trap(display_);
    if (facts->managed) {
        const bool wasAbove = HasAbove(facts->window);
        x11::SendToRoot(display_, facts->window, atoms_->netWmState,
                        {above ? kAdd : kRemove, static_cast<long>(atoms_->netWmStateAbove), 0,
                         x11::kSourceIsUserTool, 0});
        // Entering the band, or leaving it, puts the window at the top of
        // the windows it then stacks with.
        if (above || wasAbove) {
            x11::SendToRoot(display_, facts->window, atoms_->netRestackWindow,
                            {x11::kSourceIsUserTool, None, Above, 0, 0});
        }
    } else {
        RecordAbove(facts->window, above);
        if (show && unmapped && !facts->OverrideRedirect() && (flags & win::kNoActivation) != 0) {
            // Mapped with a user time of 0, a window is not given the focus.
            x11::WriteLongs(display_, facts->window, atoms_->netWmUserTime, XA_CARDINAL, {0});
        }
        if (show && unmapped) XMapWindow(display_, facts->window);
        if (above && facts->OverrideRedirect()) XRaiseWindow(display_, facts->window);
    }
    return !trap.Failed();
}

}  // namespace brumelis
