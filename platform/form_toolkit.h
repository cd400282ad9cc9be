// The form toolkit the toolbar runs on: its window, its message boxes, its
// event loop services. Events come in through FormEvents.
#pragma once

#include <optional>

#include "base/core_types.h"
#include "platform/form_layout.h"
#include "platform/key_source.h"

namespace brumelis {

// Mouse button state: 1 left, 2 right, 4 middle, added when several are held.
// Shift state: 1 shift, 2 control, 4 alt.
struct MouseEvent {
    int button = 0;
    int shift = 0;
    Twips x = 0;
    Twips y = 0;
};

// Handlers of the form. The toolkit calls them on the user-interface thread,
// one at a time; a Failure escaping one ends the program after the run-time
// error report.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void Load() = 0;
    virtual void Tick(ControlId timer) = 0;
    virtual void Click(ControlId control) = 0;
    virtual void DoubleClick(ControlId control) = 0;
    // Delivered for every press; a form with nothing to do on one keeps this.
    virtual void MouseDown(ControlId /*control*/, const MouseEvent& /*event*/) {}
    virtual void MouseMove(ControlId control, const MouseEvent& event) = 0;
    // A key of a KeySource pressed; a form that takes none keeps this.
    virtual void Shortcut(ShortcutId /*shortcut*/) {}
};

struct ControlGeometry {
    Twips left, top, width, height;
};

// The form window and its controls as the handlers see them.
class FormWindow {
public:
    virtual ~FormWindow() = default;
    virtual WindowHandle Handle() const = 0;
    virtual Text Caption() const = 0;
    virtual Twips Width() const = 0;
    virtual Twips Height() const = 0;
    virtual void SetWidth(Twips width) = 0;
    virtual void SetHeight(Twips height) = 0;
    // One operation: the window is never seen at the new place with the old size.
    virtual void Move(Twips left, Twips top, std::optional<Twips> width = std::nullopt,
                      std::optional<Twips> height = std::nullopt) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Puts the form window above every other window, those kept above
    // included, without activating it: an X window raised, a layer-shell
    // overlay, the system's topmost band. Asked on every follow tick.
    virtual void StayAbove() = 0;
    virtual ControlGeometry Geometry(ControlId control) const = 0;
    virtual Text ButtonCaption(ControlId button) const = 0;
    virtual void SetButtonCaption(ControlId button, const Text& caption) = 0;
    // What a screen reader reads as a slider's value, 0 to 100.
    virtual void SetAccessibleValue(ControlId slider, int percent) = 0;
    // Starts or stops a timer of the layout. Starting a running timer
    // changes nothing: its ticks keep their pace.
    virtual void SetTimerRunning(ControlId timer, bool running) = 0;
};

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class FormToolkit {
public:
    virtual ~FormToolkit() = default;
    // The form the toolkit built from its layout, not yet shown.
    virtual FormWindow& Window() = 0;
    // Starts the timers but those that start stopped, delivers Load, shows
    // the form without activating it, then delivers events until the program
    // ends; returns its status.
    virtual int Run(FormEvents& events) = 0;
    // Modal; an empty title means the application's title.
    virtual MessageAnswer ShowMessage(const Text& text, MessageButtons buttons,
                                      const Text& title = Text()) = 0;
    // Runs every event already pending, once, and returns.
    virtual void DoEvents() = 0;
    // Delivers a key press as a form event, one handler at a time like
    // every other; the key source calls it from the toolkit's own loop.
    virtual void Shortcut(ShortcutId shortcut) = 0;
    // Ends the program at once: no further handler runs.
    [[noreturn]] virtual void End() = 0;
};

}  // namespace brumelis
