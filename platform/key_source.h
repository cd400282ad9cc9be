// Keys the desktop gives to the toolbar wherever the focus is: a chord of
// modifiers and one key, each taken by the backend in its desktop's own
// sanctioned way. Presses come back as the number the caller gave.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "base/core_types.h"

namespace brumelis {

enum class ShortcutId : std::int32_t {};

// The modifiers a chord holds, added together.
enum KeyModifier : unsigned {
    kSuperModifier = 1,  // the Windows key, Super or Meta on Linux desktops
    kControlModifier = 2,
    kShiftModifier = 4,
    kAltModifier = 8,
};

// A letter key is its upper-case letter; the others are named here.
enum class Key : std::int32_t { PageUp = 0x10000, PageDown, Home };
constexpr Key LetterKey(char letter) {
    return static_cast<Key>(letter);
}

struct KeyChord {
    unsigned modifiers;
    Key key;
};

enum class TakeAnswer {
    kTaken,
    // Another program holds this chord: the desktop gives it to that one.
    kTakenByOther,
    // The desktop would not give it for another reason.
    kUnsupported,
};

class KeySource {
public:
    virtual ~KeySource() = default;
    // Asks that presses of the chord come here as `shortcut`; the keys taken
    // are given back when the source ends.
    virtual TakeAnswer Take(ShortcutId shortcut, const KeyChord& chord) = 0;
    // What the shortcut does, in French, before it is taken: for a desktop
    // that lists it in its own shortcut settings.
    virtual void Describe(ShortcutId /*shortcut*/, const Text& /*what*/) {}
    // Where presses go, on the toolbar's thread, from its event loop;
    // nullptr drops them.
    void OnPress(std::function<void(ShortcutId)> pressed) { pressed_ = std::move(pressed); }
    // The name the user knows the Super modifier by on this system.
    virtual Text SuperKeyName() const { return u"Super"; }

protected:
    // Hands a press of a chord taken here to whoever listens; false when
    // nobody does.
    bool Press(ShortcutId shortcut) const {
        if (!pressed_) return false;
        pressed_(shortcut);
        return true;
    }

private:
    std::function<void(ShortcutId)> pressed_;
};

}  // namespace brumelis
