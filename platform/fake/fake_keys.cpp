#include "platform/fake/fake_keys.h"

namespace brumelis {

TakeAnswer FakeKeys::Take(ShortcutId shortcut, const KeyChord& chord) {
    if (elsewhere_.count(Index(chord)) != 0) return TakeAnswer::kTakenByOther;
    taken_[Index(chord)] = shortcut;
    return TakeAnswer::kTaken;
}

bool FakeKeys::Press(const KeyChord& chord) {
    const auto key = taken_.find(Index(chord));
    return key != taken_.end() && KeySource::Press(key->second);
}

}  // namespace brumelis
