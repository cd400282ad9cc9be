// A simulated desktop's keys: chords another program holds, the ones taken,
// and presses a test makes.
#pragma once

#include <map>
#include <set>
#include <utility>

#include "platform/key_source.h"

namespace brumelis {

class FakeKeys final : public KeySource {
public:
    void HoldElsewhere(const KeyChord& chord) { elsewhere_.insert(Index(chord)); }
    // Calls the press handler when the chord is ours; says whether it was.
    bool Press(const KeyChord& chord);
    using KeySource::Press;
    bool Taken(const KeyChord& chord) const { return taken_.count(Index(chord)) != 0; }

    TakeAnswer Take(ShortcutId shortcut, const KeyChord& chord) override;

private:
    using Chord = std::pair<unsigned, Key>;
    static Chord Index(const KeyChord& chord) { return {chord.modifiers, chord.key}; }

    std::set<Chord> elsewhere_;
    std::map<Chord, ShortcutId> taken_;
};

}  // namespace brumelis
