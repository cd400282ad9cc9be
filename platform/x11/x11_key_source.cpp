#include "platform/x11/x11_key_source.h"

#include <X11/keysym.h>

#include <array>

#include "platform/x11/x11_errors.h"

namespace brumelis {

namespace {

KeySym SymOf(Key key) {
    switch (key) {
        case Key::PageUp: return XK_Prior;
        case Key::PageDown: return XK_Next;
        case Key::Home: return XK_Home;
    }
    return static_cast<KeySym>(key);  // Latin letters: the keysym is the letter
}

}  // namespace

X11KeySource::X11KeySource(Display* display)
    : display_(display),
      root_(DefaultRootWindow(display)),
      super_(ModifierOf(XK_Super_L)),
      numLock_(ModifierOf(XK_Num_Lock)) {
    x11::InstallErrorPolicy();
}

X11KeySource::~X11KeySource() {
    for (const Grab& grab : grabs_) Ungrab(grab.code, grab.modifiers);
    XFlush(display_);
}

unsigned X11KeySource::ModifierOf(KeySym key) const {
    const KeyCode code = XKeysymToKeycode(display_, key);
    XModifierKeymap* map = XGetModifierMapping(display_);
    unsigned bit = 0;
    for (int modifier = 0; map != nullptr && code != 0 && modifier < 8; ++modifier)
        for (int i = 0; i < map->max_keypermod; ++i)
            if (map->modifiermap[modifier * map->max_keypermod + i] == code) bit = 1u << modifier;
    if (map != nullptr) XFreeModifiermap(map);
    return bit;
}

std::array<unsigned, 4> X11KeySource::LockStates() const {
    constexpr unsigned kCapsLock = LockMask;
    return {0u, kCapsLock, numLock_, numLock_ | kCapsLock};
}

// Each state of the locks is a grab of its own: the server matches the
// modifiers exactly.
void X11KeySource::Ungrab(KeyCode code, unsigned modifiers) {
    for (const unsigned locks : LockStates()) XUngrabKey(display_, code, modifiers | locks, root_);
}

TakeAnswer X11KeySource::Take(ShortcutId shortcut, const KeyChord& chord) {
    const KeyCode code = XKeysymToKeycode(display_, SymOf(chord.key));
    if (code == 0 || ((chord.modifiers & kSuperModifier) && super_ == 0))
        return TakeAnswer::kUnsupported;
    unsigned modifiers = 0;
    if (chord.modifiers & kSuperModifier) modifiers |= super_;
    if (chord.modifiers & kControlModifier) modifiers |= ControlMask;
    if (chord.modifiers & kShiftModifier) modifiers |= ShiftMask;
    if (chord.modifiers & kAltModifier) modifiers |= Mod1Mask;
    unsigned char error = 0;
    {
        const x11::ErrorTrap trap(display_);
        for (const unsigned locks : LockStates())
            XGrabKey(display_, code, modifiers | locks, root_, False, GrabModeAsync, GrabModeAsync);
        XSync(display_, False);
        error = trap.LastCode();
    }
    if (error != 0) {
        // Half a chord is none: the variants that were granted go back.
        Ungrab(code, modifiers);
        XSync(display_, False);
        return error == BadAccess ? TakeAnswer::kTakenByOther : TakeAnswer::kUnsupported;
    }
    grabs_.push_back({shortcut, code, modifiers});
    return TakeAnswer::kTaken;
}

bool X11KeySource::Observe(const XEvent& event) {
    if (event.type != KeyPress || event.xkey.root != root_) return false;
    const unsigned state = event.xkey.state & ~(LockMask | numLock_);
    for (const Grab& grab : grabs_) {
        if (grab.code != event.xkey.keycode || grab.modifiers != state) continue;
        Press(grab.shortcut);
        return true;
    }
    return false;
}

}  // namespace brumelis
