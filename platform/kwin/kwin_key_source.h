// The keys on KWin: global shortcuts the script registers with KWin's
// registerShortcut, each press coming back as a call of the script's to the
// program. KWin keeps them in kglobalaccel under its own component ("kwin"),
// where Plasma's shortcut settings change them. A chord another program
// holds is asked of kglobalaccel first: KWin would register ours without it
// and say nothing.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/key_source.h"
#include "platform/kwin/kwin_window_system.h"

namespace brumelis {

// The chord as Qt writes it ("Meta+Ctrl+Shift+PgDown"), for registerShortcut.
std::string KWinChordText(const KeyChord& chord);
// The chord as one Qt key code, as kglobalaccel's calls carry it.
std::int32_t KWinChordCode(const KeyChord& chord);

class KWinKeySource final : public KeySource {
public:
    // kglobalaccel is asked on the window system's bus.
    explicit KWinKeySource(KWinWindowSystem& windows);
    KWinKeySource(const KWinKeySource&) = delete;
    KWinKeySource& operator=(const KWinKeySource&) = delete;

    // Gives back to kglobalaccel the chords still as Brumelis set them,
    // once the script is gone: for the program's end. A chord the user
    // changed in Plasma's settings stays, to be found at the next start.
    void Release();

    void Describe(ShortcutId shortcut, const Text& what) override { what_[shortcut] = what; }
    TakeAnswer Take(ShortcutId shortcut, const KeyChord& chord) override;
    Text SuperKeyName() const override { return u"Meta"; }

private:
    struct Registered {
        ShortcutId shortcut;
        std::string name;
        KeyChord chord;
    };
    // The keys kglobalaccel gives the action of ours named `name`.
    std::vector<std::int32_t> KeysOf(const std::string& name);
    bool Available(const KeyChord& chord);
    void ListenToTheScript();

    SessionBus& bus_;
    KWinWindowSystem& windows_;
    std::optional<bool> accel_;  // whether kglobalaccel is on the bus
    std::map<ShortcutId, Text> what_;
    std::vector<ShortcutId> asked_;
    std::vector<Registered> registered_;
};

}  // namespace brumelis
