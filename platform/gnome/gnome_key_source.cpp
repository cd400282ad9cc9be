#include "platform/gnome/gnome_key_source.h"

#include <algorithm>
#include <cstring>

#include "platform/gnome/gnome_window_system.h"

namespace brumelis {

namespace {

constexpr unsigned kKeysVersion = 3;

GVariant* TakeKeyParameters(const ShortcutId shortcut, const std::string& accelerator) {
    return g_variant_new("(us)", static_cast<guint32>(shortcut), accelerator.c_str());
}

}  // namespace

std::string GnomeAccelerator(const KeyChord& chord) {
    std::string text;
    if (chord.modifiers & kSuperModifier) text += "<Super>";
    if (chord.modifiers & kControlModifier) text += "<Control>";
    if (chord.modifiers & kShiftModifier) text += "<Shift>";
    if (chord.modifiers & kAltModifier) text += "<Alt>";
    switch (chord.key) {
        case Key::PageUp: return text + "Page_Up";
        case Key::PageDown: return text + "Page_Down";
        case Key::Home: return text + "Home";
    }
    const auto letter = static_cast<char>(chord.key);
    if (letter < 'A' || letter > 'Z') return {};
    return text + static_cast<char>(letter - 'A' + 'a');
}

GnomeKeySource::GnomeKeySource(ShellLink& link, unsigned version) : link_(link), version_(version) {
    link_.Listen([this](const char* name, GVariant* values) { OnSignal(name, values); });
}

TakeAnswer GnomeKeySource::Take(ShortcutId shortcut, const KeyChord& chord) {
    const std::string accelerator = GnomeAccelerator(chord);
    if (version_ < kKeysVersion || accelerator.empty()) return TakeAnswer::kUnsupported;
    const std::string error = link_.Ask("TakeKey", TakeKeyParameters(shortcut, accelerator));
    if (error == kKeyHeld) return TakeAnswer::kTakenByOther;
    if (!error.empty()) return TakeAnswer::kUnsupported;
    taken_.push_back({shortcut, accelerator});
    return TakeAnswer::kTaken;
}

void GnomeKeySource::OnSignal(const char* name, GVariant* values) {
    if (std::strcmp(name, kExtensionStateChanged) == 0) {
        // Back (after the screen lock, or enabled again), it holds no key of
        // ours: asked again, without a word when a chord is held meanwhile.
        const auto enabled = ReadExtensionEnabled(values);
        if (!enabled || !*enabled) return;
        for (const Binding& binding : taken_)
            link_.Call("TakeKey", TakeKeyParameters(binding.shortcut, binding.accelerator),
                       nullptr);
        return;
    }
    if (std::strcmp(name, "Key") != 0 || !g_variant_is_of_type(values, G_VARIANT_TYPE("(u)")))
        return;
    guint32 number = 0;
    g_variant_get(values, "(u)", &number);
    const auto found = std::find_if(taken_.begin(), taken_.end(), [&](const Binding& binding) {
        return static_cast<guint32>(binding.shortcut) == number;
    });
    if (found != taken_.end()) Press(found->shortcut);
}

}  // namespace brumelis
