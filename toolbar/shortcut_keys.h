// The toolbar's keys: what each does and the chords it is asked on, a
// second chord for when another program holds the first.
#pragma once

#include <vector>

#include "base/core_types.h"
#include "platform/key_source.h"

namespace brumelis {

enum class KeyAction { TogglePin, MoreTransparent, LessTransparent, Opaque };

struct ShortcutKey {
    KeyAction action;
    KeyChord chord;
    KeyChord fallback;
    Text what;  // in French, for the notice that names a taken key
};

const std::vector<ShortcutKey>& ShortcutKeys();
// The action a shortcut number stands for: its place in the table.
ShortcutId ShortcutOf(KeyAction action);

// "Windows+Ctrl+Maj+A" with the Super modifier's name on this system.
Text ChordName(const KeyChord& chord, const Text& superName);

}  // namespace brumelis
