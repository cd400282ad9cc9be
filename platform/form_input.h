// The form's input, written once for every toolkit. A toolkit translates its
// native events into the calls below and makes the native capture calls this
// asks for; this decides which form events they are (a click on release over
// the pressed control, a double click after the second press's click, moves
// with the buttons held) and delivers them, one handler at a time.
#pragma once

#include <optional>

#include "platform/form_toolkit.h"

namespace brumelis {

// Where a toolkit's native state word keeps each mouse button and modifier.
struct NativeStateBits {
    unsigned left, right, middle;
    unsigned shift, control, alt;
};

// A native mouse event, translated: the control it came to, the button
// pressed or released (1 left, 2 right, 4 middle; 0: none the form knows),
// the native state word, and the pointer's place in pixels from the
// control's top-left corner.
struct PointerInput {
    ControlId control;
    int button;
    unsigned state;
    int x, y;
};

// The native side of mouse capture: after a press in a control, moves keep
// going to that control, with positions that may lie outside it, until
// every button is up.
class PointerCapture {
public:
    virtual void Capture(ControlId control) = 0;
    virtual void EndCapture(ControlId control) = 0;

protected:
    ~PointerCapture() = default;
};

// Counts one level for as long as it lives, so that every way out of a
// handler (an ended program included) gives the level back.
class ScopedCount {
public:
    explicit ScopedCount(int& count) : count_(count) { ++count_; }
    ~ScopedCount() { --count_; }
    ScopedCount(const ScopedCount&) = delete;
    ScopedCount& operator=(const ScopedCount&) = delete;

private:
    int& count_;
};

class FormInput {
public:
    // The toolkit shows the run-time error report of a failing handler.
    FormInput(FormToolkit& toolkit, PointerCapture& capture, const NativeStateBits& bits);

    // Events before Start reach no handler.
    void Start(FormEvents& events);
    // While it lives, events may run inside the handler that is running
    // (the toolkit's DoEvents).
    ScopedCount LetPendingEventsRun() { return ScopedCount(openDoEvents_); }

    void Load();
    void Tick(ControlId timer);
    // A native push button's own click.
    void ButtonClicked(ControlId button);
    void Shortcut(ShortcutId shortcut);

    void Press(const PointerInput& input);
    // The press just reported is the second of a double click.
    void SecondPress(ControlId control);
    // overControl says whether the window under the pointer is the control
    // itself; it is asked only when the release can make a click.
    template <typename OverControl>
    void Release(const PointerInput& input, const OverControl& overControl) {
        EndPress(input, MayClick(input) && overControl());
    }
    void Move(const PointerInput& input);
    // The capture taken away (a message box, a task switch): no click
    // follows. The capture's own end comes after the release has decided.
    void CaptureLost();

private:
    // A left press waits for its release over the same control to be a click;
    // the second press of a double click makes that click a double click too.
    struct LeftPress {
        ControlId control;
        bool secondPress;
    };

    // A form event as data, so that one delivery calls every handler itself:
    // no callback between the native event and the handler, and one copy of
    // the run-time error report's catch clauses in the program.
    struct FormEvent {
        enum class Kind { Load, Tick, Click, DoubleClick, MouseDown, MouseMove, Shortcut };
        Kind kind;
        ControlId control;
        MouseEvent mouse;
        ShortcutId shortcut{};
    };

    void Deliver(const FormEvent& event);
    // A left release on the control its pending press began in.
    bool MayClick(const PointerInput& input) const;
    void EndPress(const PointerInput& input, bool clicks);
    MouseEvent Decode(int button, const PointerInput& input) const;
    int HeldButtons(unsigned state) const;

    FormToolkit& toolkit_;
    PointerCapture& capture_;
    NativeStateBits bits_;
    FormEvents* events_ = nullptr;
    std::optional<LeftPress> leftPress_;
    // A handler runs only when every running handler is inside DoEvents.
    int runningHandlers_ = 0;
    int openDoEvents_ = 0;
};

}  // namespace brumelis
