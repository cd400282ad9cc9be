// The keys on GNOME: Brumelis's Shell extension binds each chord with the
// Shell's own keybindings (its schema holds them, so the user can change
// them), for the Shell's normal mode only, and tells a press to this
// program alone as its Key signal. A chord the desktop already binds is
// left to it and told held. The bindings go when this program's connection
// ends or the extension is disabled; when the extension is back (after the
// screen lock), they are asked for again.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/gnome/shell_link.h"
#include "platform/key_source.h"

namespace brumelis {

// The extension's answer to TakeKey when another program holds the chord.
inline constexpr char kKeyHeld[] = "example.zolvec.Brumelis1.Error.Held";

// The chord as GTK and Mutter write an accelerator: <Super><Control><Shift>a.
std::string GnomeAccelerator(const KeyChord& chord);

class GnomeKeySource final : public KeySource {
public:
    // `version`: the interface version of the extension running (keys came
    // with 3; an older one takes none). The link outlives this source.
    GnomeKeySource(ShellLink& link, unsigned version);
    GnomeKeySource(const GnomeKeySource&) = delete;
    GnomeKeySource& operator=(const GnomeKeySource&) = delete;

    TakeAnswer Take(ShortcutId shortcut, const KeyChord& chord) override;

private:
    struct Binding {
        ShortcutId shortcut;
        std::string accelerator;
    };
    void OnSignal(const char* name, GVariant* values);

    ShellLink& link_;
    unsigned version_;
    std::vector<Binding> taken_;
};

}  // namespace brumelis
