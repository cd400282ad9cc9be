#include "platform/form_input.h"

#include <exception>
#include <new>

#include "base/failure.h"
#include "platform/pixels.h"
#include "platform/runtime_error_report.h"

namespace brumelis {

namespace {

constexpr int kLeftButton = 1;

int BitIf(unsigned state, unsigned mask, int bit) {
    return (state & mask) != 0 ? bit : 0;
}

}  // namespace

FormInput::FormInput(FormToolkit& toolkit, PointerCapture& capture, const NativeStateBits& bits)
    : toolkit_(toolkit), capture_(capture), bits_(bits) {}

void FormInput::Start(FormEvents& events) {
    events_ = &events;
}

// The native loop keeps running while a handler runs (a message box has its
// own loop): the events it carries are dropped then, as no handler may
// interrupt another except through DoEvents. Whatever escapes a handler
// reaches the run-time error report and ends the program, so none goes on
// into the native code that called the toolkit; any other standard
// exception (memory exhausted, a fault of the program's own) is reported as
// the toolkit's own failure. (The fake toolkit's end of program is no such
// exception.)
void FormInput::Deliver(const FormEvent& event) {
    if (events_ == nullptr || runningHandlers_ > openDoEvents_) return;
    const ScopedCount running(runningHandlers_);
    try {
        switch (event.kind) {
            case FormEvent::Kind::Load: events_->Load(); break;
            case FormEvent::Kind::Tick: events_->Tick(event.control); break;
            case FormEvent::Kind::Click: events_->Click(event.control); break;
            case FormEvent::Kind::DoubleClick: events_->DoubleClick(event.control); break;
            case FormEvent::Kind::MouseDown: events_->MouseDown(event.control, event.mouse); break;
            case FormEvent::Kind::MouseMove: events_->MouseMove(event.control, event.mouse); break;
            case FormEvent::Kind::Shortcut: events_->Shortcut(event.shortcut); break;
        }
    } catch (const Failure& failure) {
        ReportAndEnd(toolkit_, failure);
    } catch (const std::bad_alloc&) {
        ReportAndEnd(toolkit_, Failure(error::kOutOfMemory, Text(), u"Mémoire insuffisante"));
    } catch (const std::exception&) {
        ReportAndEnd(toolkit_, Failure(error::kInternalError, Text(), u"Erreur interne"));
    }
}

void FormInput::Load() {
    Deliver({FormEvent::Kind::Load, kFormWindowId, {}});
}

void FormInput::Tick(ControlId timer) {
    Deliver({FormEvent::Kind::Tick, timer, {}});
}

void FormInput::Shortcut(ShortcutId shortcut) {
    Deliver({FormEvent::Kind::Shortcut, kFormWindowId, {}, shortcut});
}

void FormInput::ButtonClicked(ControlId button) {
    Deliver({FormEvent::Kind::Click, button, {}});
}

void FormInput::Press(const PointerInput& input) {
    if (input.button == 0) return;
    if (input.button == kLeftButton) leftPress_ = LeftPress{input.control, false};
    capture_.Capture(input.control);
    Deliver({FormEvent::Kind::MouseDown, input.control, Decode(input.button, input)});
}

void FormInput::SecondPress(ControlId control) {
    if (leftPress_ && leftPress_->control == control) leftPress_->secondPress = true;
}

bool FormInput::MayClick(const PointerInput& input) const {
    return input.button == kLeftButton && leftPress_ && leftPress_->control == input.control;
}

void FormInput::EndPress(const PointerInput& input, bool clicks) {
    if (input.button == 0) return;
    std::optional<LeftPress> click;
    if (input.button == kLeftButton) {
        if (clicks) click = leftPress_;
        leftPress_.reset();
    }
    // Capture ends before the handlers run: they may show a modal box. Some
    // toolkits count the released button as still held.
    if ((HeldButtons(input.state) & ~input.button) == 0) capture_.EndCapture(input.control);
    if (!click) return;
    Deliver({FormEvent::Kind::Click, input.control, {}});
    if (click->secondPress) Deliver({FormEvent::Kind::DoubleClick, input.control, {}});
}

void FormInput::Move(const PointerInput& input) {
    Deliver({FormEvent::Kind::MouseMove, input.control, Decode(HeldButtons(input.state), input)});
}

void FormInput::CaptureLost() {
    leftPress_.reset();
}

int FormInput::HeldButtons(unsigned state) const {
    return BitIf(state, bits_.left, 1) | BitIf(state, bits_.right, 2) |
           BitIf(state, bits_.middle, 4);
}

MouseEvent FormInput::Decode(int button, const PointerInput& input) const {
    const int shift = BitIf(input.state, bits_.shift, 1) | BitIf(input.state, bits_.control, 2) |
                      BitIf(input.state, bits_.alt, 4);
    return MouseEvent{button, shift, ToTwips(input.x), ToTwips(input.y)};
}

}  // namespace brumelis
