#include "toolbar/shortcut_keys.h"

namespace brumelis {

namespace {

// Super, Ctrl and Shift together are bound by no default of Windows, GNOME,
// Plasma or sway on these keys (docs/design.md has the table checked).
constexpr unsigned kFirst = kSuperModifier | kControlModifier | kShiftModifier;
constexpr unsigned kSecond = kSuperModifier | kControlModifier | kAltModifier;

Text KeyName(Key key) {
    switch (key) {
        case Key::PageUp: return u"Page préc.";
        case Key::PageDown: return u"Page suiv.";
        case Key::Home: return u"Début";
    }
    return Text(1, static_cast<char16_t>(key));
}

}  // namespace

const std::vector<ShortcutKey>& ShortcutKeys() {
    static const std::vector<ShortcutKey> keys = {
        {KeyAction::TogglePin,
         {kFirst, LetterKey('A')},
         {kSecond, LetterKey('A')},
         u"garder la fenêtre au premier plan ou l'en retirer"},
        {KeyAction::MoreTransparent,
         {kFirst, Key::PageDown},
         {kSecond, Key::PageDown},
         u"rendre la fenêtre plus transparente"},
        {KeyAction::LessTransparent,
         {kFirst, Key::PageUp},
         {kSecond, Key::PageUp},
         u"rendre la fenêtre moins transparente"},
        {KeyAction::Opaque, {kFirst, Key::Home}, {kSecond, Key::Home}, u"rendre la fenêtre opaque"},
    };
    return keys;
}

ShortcutId ShortcutOf(KeyAction action) {
    return static_cast<ShortcutId>(static_cast<std::int32_t>(action) + 1);
}

Text ChordName(const KeyChord& chord, const Text& superName) {
    Text name;
    if (chord.modifiers & kSuperModifier) name += superName + u"+";
    if (chord.modifiers & kControlModifier) name += u"Ctrl+";
    if (chord.modifiers & kShiftModifier) name += u"Maj+";
    if (chord.modifiers & kAltModifier) name += u"Alt+";
    return name + KeyName(chord.key);
}

}  // namespace brumelis
