#include "platform/form_input.h"

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
// interrupt another except through DoEvents.
void FormInput::Deliver(const std::function<void(FormEvents&)>& handler) {
    if (events_ == nullptr || runningHandlers_ > openDoEvents_) return;
    ScopedCount running(runningHandlers_);
    DeliverEvent(toolkit_, [&] { handler(*events_); });
}

void FormInput::Load() {
    Deliver([](FormEvents& events) { events.Load(); });
}

void FormInput::Tick(ControlId timer) {
    Deliver([timer](FormEvents& events) { events.Tick(timer); });
}

void FormInput::ButtonClicked(ControlId button) {
    Deliver([button](FormEvents& events) { events.Click(button); });
}

void FormInput::Press(const PointerInput& input) {
    if (input.button == 0) return;
    if (input.button == kLeftButton) leftPress_ = LeftPress{input.control, false};
    capture_.Capture(input.control);
    const MouseEvent event = Decode(input.button, input);
    Deliver([&](FormEvents& events) { events.MouseDown(input.control, event); });
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
    const ControlId control = input.control;
    Deliver([control](FormEvents& events) { events.Click(control); });
    if (click->secondPress) {
        Deliver([control](FormEvents& events) { events.DoubleClick(control); });
    }
}

void FormInput::Move(const PointerInput& input) {
    const MouseEvent event = Decode(HeldButtons(input.state), input);
    Deliver([&](FormEvents& events) { events.MouseMove(input.control, event); });
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
