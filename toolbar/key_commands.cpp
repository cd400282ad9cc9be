// The keys: the pin button and the slider's steps on the window in the
// foreground, through the same handlers as the mouse.
#include "base/failure.h"
#include "toolbar/shortcut_keys.h"
#include "toolbar/slider_alpha.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"

namespace brumelis {

// Each chord that another program holds is named in one notice, with the
// one taken instead, or the mouse when both are held.
void ToolbarWindow::TakeKeys() {
    if (keys_ == nullptr) return;
    Text taken;
    for (const ShortcutKey& key : ShortcutKeys()) {
        const ShortcutId id = ShortcutOf(key.action);
        keys_->Describe(id, key.what);
        if (keys_->Take(id, key.chord) != TakeAnswer::kTakenByOther) continue;
        const Text superName = keys_->SuperKeyName();
        taken += u"\n– " + ChordName(key.chord, superName) + u" (" + key.what + u") : ";
        if (keys_->Take(id, key.fallback) == TakeAnswer::kTaken)
            taken += u"utilisez " + ChordName(key.fallback, superName) + u" à la place.";
        else
            taken += texts::kUseTheMouse;
    }
    if (!taken.empty()) Tell(texts::kKeysTaken + taken);
}

void ToolbarWindow::Shortcut(ShortcutId shortcut) {
    const auto number = static_cast<std::int32_t>(shortcut);
    if (number < 1 || number > static_cast<std::int32_t>(ShortcutKeys().size())) return;
    // The follow tick first: the toolbar is on the window the key acts on
    // before it shows the result there.
    IgnoreFailure([&] { FollowForeground(); });
    switch (ShortcutKeys()[static_cast<std::size_t>(number - 1)].action) {
        case KeyAction::TogglePin: TogglePin(); break;
        case KeyAction::MoreTransparent: StepOpacity(true); break;
        case KeyAction::LessTransparent: StepOpacity(false); break;
        case KeyAction::Opaque: MakeOpaque(); break;
    }
}

void ToolbarWindow::StepOpacity(bool down) {
    // As with a drag: a window that refused is sent nothing more.
    if (refusedOpacity_.count(target_) != 0) return;
    const auto known = opacity_.find(target_);
    const std::uint8_t current = known == opacity_.end() ? 255 : known->second;
    std::optional<std::uint8_t> alpha;
    IgnoreFailure([&] { alpha = SliderStepAlpha(form_.Geometry(kSlider).height, current, down); });
    if (!alpha) return;
    std::optional<ChangeAnswer> answer;
    IgnoreFailure([&] { answer = SendOpacity(*alpha); });
    if (answer) TellOpacityAnswer(*answer);
}

}  // namespace brumelis
