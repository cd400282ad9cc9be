// The keys on sway: a binding added over IPC for each chord, whose command
// is a `nop` naming this copy and the key, so that sway runs nothing and
// only tells its `binding` event. A chord the configuration binds is not
// bound over (sway would replace it silently): it is told as held. sway
// drops run-time bindings on `reload`, and a new connection may be a new
// sway: the bindings are added again then; they are removed at the end.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/key_source.h"
#include "platform/sway/sway_connection.h"

namespace brumelis {

class SwayKeySource final : public KeySource {
public:
    // `tag` tells this copy's bindings from any other's.
    explicit SwayKeySource(std::string tag) : tag_(std::move(tag)) {}
    ~SwayKeySource() override;
    SwayKeySource(const SwayKeySource&) = delete;
    SwayKeySource& operator=(const SwayKeySource&) = delete;

    // The connection requests go on from now; it outlives this source or
    // the next Use.
    void Use(SwayConnection& connection) { connection_ = &connection; }
    // Binds again what was taken, the configuration read anew.
    void Rebind();
    // Removes the bindings, waiting for sway to have read that (briefly):
    // for the program's end. No event is handled after.
    void Release();
    // Every event of the connection: presses of ours, and sway's reload.
    void OnEvent(std::uint32_t type, const std::string& payload);

    TakeAnswer Take(ShortcutId shortcut, const KeyChord& chord) override;

private:
    struct Binding {
        ShortcutId shortcut;
        KeyChord chord;
    };
    bool Held(const KeyChord& chord) const;
    std::string Bind(const Binding& binding) const;

    std::string tag_;
    SwayConnection* connection_ = nullptr;
    // The chords the configuration binds, read at the first Take.
    std::optional<std::vector<KeyChord>> configured_;
    std::vector<Binding> taken_;
};

}  // namespace brumelis
