// The chords sway's configuration binds, read from its text as sway reads
// it: `set` variables, the files named by `include`, `bindsym` lines and
// blocks; bindings of other modes than the default one bind nothing there.
// Bindings other programs add at run time are not told over sway's IPC.
#pragma once

#include <string>
#include <vector>

#include "platform/key_source.h"

namespace brumelis {

// The chord as `bindsym` writes it: "Mod4+Ctrl+Shift+a".
std::string SwayChordText(const KeyChord& chord);

// The chords the configuration binds in the default mode, of those a
// KeyChord can name.
std::vector<KeyChord> SwayBoundChords(const std::string& config);

bool SameChord(const KeyChord& a, const KeyChord& b);

}  // namespace brumelis
