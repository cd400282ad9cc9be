// The keys on X11: passive grabs on the root window, one for each state of
// Num Lock and Caps Lock, whose KeyPress events the connection's reader
// hands to Observe. A grab another client holds fails with BadAccess.
#pragma once

#include <X11/Xlib.h>

#include <array>
#include <vector>

#include "platform/key_source.h"

namespace brumelis {

class X11KeySource final : public KeySource {
public:
    explicit X11KeySource(Display* display);
    ~X11KeySource() override;
    X11KeySource(const X11KeySource&) = delete;
    X11KeySource& operator=(const X11KeySource&) = delete;

    // True for a press of a chord taken here, which it reports.
    bool Observe(const XEvent& event);

    TakeAnswer Take(ShortcutId shortcut, const KeyChord& chord) override;

private:
    struct Grab {
        ShortcutId shortcut;
        KeyCode code;
        unsigned modifiers;
    };
    // The modifier bit a key sets in this keyboard's map; 0 when none.
    unsigned ModifierOf(KeySym key) const;
    void Ungrab(KeyCode code, unsigned modifiers);
    // The states of Caps Lock and Num Lock a chord is pressed in.
    std::array<unsigned, 4> LockStates() const;

    Display* display_;
    Window root_;
    unsigned super_, numLock_;
    std::vector<Grab> grabs_;
};

}  // namespace brumelis
