#include "platform/kwin/kwin_key_source.h"

#include <algorithm>

#include "base/utf8_text.h"

namespace brumelis {

namespace {

// kglobalaccel runs inside KWin on Wayland (5.27 and Plasma 6), under KWin's
// component, where the script's shortcuts go.
constexpr char kAccelName[] = "org.kde.kglobalaccel";
constexpr char kAccelPath[] = "/kglobalaccel";
constexpr char kAccelInterface[] = "org.kde.KGlobalAccel";
constexpr char kComponent[] = "kwin";

// Qt's modifier bits and key codes.
constexpr std::int32_t kQtShift = 0x02000000;
constexpr std::int32_t kQtControl = 0x04000000;
constexpr std::int32_t kQtAlt = 0x08000000;
constexpr std::int32_t kQtMeta = 0x10000000;

std::int32_t KeyCode(Key key) {
    switch (key) {
        case Key::PageUp: return 0x01000016;
        case Key::PageDown: return 0x01000017;
        case Key::Home: return 0x01000010;
    }
    return static_cast<std::int32_t>(key);
}

std::string KeyText(Key key) {
    switch (key) {
        case Key::PageUp: return "PgUp";
        case Key::PageDown: return "PgDown";
        case Key::Home: return "Home";
    }
    return std::string(1, static_cast<char>(key));
}

}  // namespace

std::string KWinChordText(const KeyChord& chord) {
    std::string text;
    if (chord.modifiers & kSuperModifier) text += "Meta+";
    if (chord.modifiers & kControlModifier) text += "Ctrl+";
    if (chord.modifiers & kAltModifier) text += "Alt+";
    if (chord.modifiers & kShiftModifier) text += "Shift+";
    return text + KeyText(chord.key);
}

std::int32_t KWinChordCode(const KeyChord& chord) {
    std::int32_t code = KeyCode(chord.key);
    if (chord.modifiers & kSuperModifier) code |= kQtMeta;
    if (chord.modifiers & kControlModifier) code |= kQtControl;
    if (chord.modifiers & kAltModifier) code |= kQtAlt;
    if (chord.modifiers & kShiftModifier) code |= kQtShift;
    return code;
}

KWinKeySource::KWinKeySource(KWinWindowSystem& windows) : bus_(windows.Bus()), windows_(windows) {
    ListenToTheScript();
}

// An action of ours that kglobalaccel already knows (a run before, the
// user's choice in Plasma's settings) keeps its keys: registerShortcut
// gives it those, not the chord asked. Otherwise a chord that kglobalaccel
// lists for anyone else is theirs: KWin would register ours with no key.
TakeAnswer KWinKeySource::Take(ShortcutId shortcut, const KeyChord& chord) {
    if (!accel_) accel_ = NameHasOwner(bus_, kAccelName);
    if (!*accel_) return TakeAnswer::kUnsupported;
    const auto number = static_cast<std::int32_t>(shortcut);
    const bool second = std::any_of(asked_.begin(), asked_.end(),
                                    [&](ShortcutId asked) { return asked == shortcut; });
    asked_.push_back(shortcut);
    const std::string name = "brumelis-" + std::to_string(number) + (second ? "-bis" : "");
    if (KeysOf(name).empty() && !Available(chord)) return TakeAnswer::kTakenByOther;

    const auto described = what_.find(shortcut);
    Text text = u"Brumelis : " + (described != what_.end()
                                      ? described->second
                                      : u"touche " + TextFromUtf8(std::to_string(number)));
    if (second) text += u" (touche de secours)";
    if (!windows_.AddShortcut(name, KWinChordText(chord), Utf8FromText(text), number))
        return TakeAnswer::kUnsupported;
    registered_.push_back({shortcut, name, chord});
    return TakeAnswer::kTaken;
}

void KWinKeySource::ListenToTheScript() {
    windows_.OnShortcut([this](std::int32_t number) {
        const auto ours =
            std::find_if(registered_.begin(), registered_.end(), [&](const Registered& registered) {
                return static_cast<std::int32_t>(registered.shortcut) == number;
            });
        if (ours != registered_.end()) Press(ours->shortcut);
    });
}

std::vector<std::int32_t> KWinKeySource::KeysOf(const std::string& name) {
    const char* action[] = {kComponent, name.c_str(), "", "", nullptr};
    const BusReply reply = bus_.Call(kAccelName, kAccelPath, kAccelInterface, "shortcutKeys",
                                     g_variant_new("(^as)", action), kBusDeadline);
    std::vector<std::int32_t> keys;
    if (!reply.ok() || !g_variant_is_of_type(reply.body, G_VARIANT_TYPE("(a(ai))"))) return keys;
    GVariantIter* sequences = nullptr;
    g_variant_get(reply.body, "(a(ai))", &sequences);
    GVariantIter* chords = nullptr;
    while (g_variant_iter_next(sequences, "(ai)", &chords)) {
        gint32 code = 0;
        while (g_variant_iter_next(chords, "i", &code)) {
            if (code != 0) keys.push_back(code);
        }
        g_variant_iter_free(chords);
    }
    g_variant_iter_free(sequences);
    return keys;
}

// KWin 5.27 aborts on any kglobalaccel call that carries a key sequence in
// (its D-Bus type, (ai), fails to read): the chord goes as Qt's key code,
// in the older call. Unknown when that call is not there (kglobalaccel may
// drop it on Plasma 6) or does not answer: the chord is taken then, and KWin
// alone knows whether it gave it.
bool KWinKeySource::Available(const KeyChord& chord) {
    const BusReply reply =
        bus_.Call(kAccelName, kAccelPath, kAccelInterface, "isGlobalShortcutAvailable",
                  g_variant_new("(is)", KWinChordCode(chord), kComponent), kBusDeadline);
    gboolean available = TRUE;
    if (reply.ok() && g_variant_is_of_type(reply.body, G_VARIANT_TYPE("(b)")))
        g_variant_get(reply.body, "(b)", &available);
    return available != FALSE;
}

void KWinKeySource::Release() {
    for (const Registered& registered : registered_) {
        if (KeysOf(registered.name) != std::vector<std::int32_t>{KWinChordCode(registered.chord)})
            continue;
        bus_.Call(kAccelName, kAccelPath, kAccelInterface, "unregister",
                  g_variant_new("(ss)", kComponent, registered.name.c_str()), kBusDeadline);
    }
    registered_.clear();
}

}  // namespace brumelis
