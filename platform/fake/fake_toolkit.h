// A scripted form toolkit over the simulated desktop: a test fires the load,
// timer ticks and the pointer's presses, releases and moves, which go
// through the same form input as a real toolkit's native events; message
// boxes are recorded and answered from a script; the end of the program is
// recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/fake/fake_desktop.h"
#include "platform/form_input.h"
#include "platform/form_toolkit.h"
#include "platform/pixel_form_window.h"

namespace brumelis {

// Toolkit operations a test can make fail, to exercise failure handling.
enum class FakeOperation {
    Width,
    SetWidth,
    SetHeight,
    Move,
    Geometry,
    ButtonCaption,
    SetButtonCaption,
    SetEnabled,
    DoEvents
};

// The form window as a native toolkit has it: its place and size are its
// window's rectangle on the simulated desktop, in pixels; each control has
// a native rectangle but the timers.
class FakeFormWindow final : public PixelFormWindow, private PointerCapture {
public:
    FakeFormWindow(FakeDesktop& desktop, const FormLayout& layout, WindowHandle handle,
                   FormToolkit& toolkit, std::set<FakeOperation>& failing);

    WindowHandle Handle() const override { return handle_; }
    Text Caption() const override { return layout_.caption; }
    Twips Width() const override;
    void SetWidth(Twips width) override;
    void SetHeight(Twips height) override;
    void Move(Twips left, Twips top, std::optional<Twips> width = std::nullopt,
              std::optional<Twips> height = std::nullopt) override;
    void SetEnabled(bool enabled) override;
    void StayAbove() override { desktop_.RaiseAboveAll(handle_); }
    ControlGeometry Geometry(ControlId control) const override;
    Text ButtonCaption(ControlId button) const override;
    void SetButtonCaption(ControlId button, const Text& caption) override;
    void SetAccessibleValue(ControlId slider, int percent) override { values_[slider] = percent; }
    int AccessibleValue(ControlId slider) const { return values_.at(slider); }
    void SetTimerRunning(ControlId timer, bool running) override;

    FormInput& Input() { return input_; }
    bool IsPushButton(ControlId control) const;
    bool TimerRunning(ControlId timer) const { return timers_.at(timer); }
    Twips Left() const;
    Twips Top() const;
    bool Enabled() const { return enabled_; }
    // Native repositionings; a move to the geometry the window has is skipped.
    int NativeMoves() const { return nativeMoves_; }

private:
    PixelRect OuterRect() const override;
    void Place(const PixelRect& wanted) override;
    std::optional<PixelRect> ControlRect(ControlId control) const override;
    // Moves go to the control named by the script: nothing to capture.
    void Capture(ControlId) override {}
    void EndCapture(ControlId) override {}
    void FailIfAsked(FakeOperation operation) const;

    FakeDesktop& desktop_;
    WindowHandle handle_;
    FormInput input_;
    bool enabled_ = true;
    int nativeMoves_ = 0;
    std::map<ControlId, PixelRect> rects_;
    std::map<ControlId, Text> captions_;
    std::map<ControlId, int> values_;
    std::map<ControlId, bool> timers_;  // running or not
    std::set<FakeOperation>& failing_;
};

class FakeToolkit : public FormToolkit {
public:
    struct ShownMessage {
        Text text;
        MessageButtons buttons;
        Text title;
    };

    // Creates the hidden owner window and the toolbar in the desktop; both bear
    // the caption, as the real toolkit's windows do.
    FakeToolkit(FakeDesktop& desktop, const FormLayout& layout);

    FakeFormWindow& Window() override { return *window_; }
    WindowHandle OwnerHandle() const { return owner_; }

    // Script: nothing runs once the program has ended. Positions are in
    // pixels from the control's corner; buttons 1 left, 2 right, 4 middle.
    void Load(FormEvents& events);
    // One tick of every timer running when it is called.
    void Tick();
    // One tick of this timer, if it runs.
    void Tick(ControlId timer);
    void Press(ControlId control, int button, int x = 0, int y = 0);
    // over: whether the pointer is still over the control.
    void Release(ControlId control, int button, bool over = true);
    // With the buttons pressed and not released.
    void Move(ControlId control, int x, int y);
    // A push button's own click; on any other control a press and a release
    // of the left button.
    void Click(ControlId control);
    // Two clicks, the second press reported as the second of a double click.
    void DoubleClick(ControlId control);

    // Events that DoEvents will run, and a hook it calls each time.
    void QueuePendingTick() {
        pending_.push_back([this] { Tick(); });
    }
    void OnDoEvents(std::function<void()> hook) { onDoEvents_ = std::move(hook); }
    void AnswerNextMessage(MessageAnswer answer) { answers_.push_back(answer); }
    void FailAlways(FakeOperation operation) { failing_.insert(operation); }
    void StopFailing() { failing_.clear(); }

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    bool Ended() const { return ended_; }
    int DoEventsCount() const { return doEventsCount_; }

    // FormToolkit. Run delivers the load and returns: the test script
    // delivers the rest.
    int Run(FormEvents& events) override;
    MessageAnswer ShowMessage(const Text& text, MessageButtons buttons, const Text& title) override;
    void DoEvents() override;
    // Also the script's key press.
    void Shortcut(ShortcutId shortcut) override;
    [[noreturn]] void End() override;

private:
    // Runs one step of the script; the end of the program unwinds every
    // step under way up to the outermost.
    template <typename Step>
    void Script(Step&& step);
    PointerInput Pointer(ControlId control, int button, int x, int y) const {
        return PointerInput{control, button, held_, x, y};
    }

    FakeDesktop& desktop_;
    Text applicationTitle_;
    WindowHandle owner_;
    std::set<FakeOperation> failing_;
    std::unique_ptr<FakeFormWindow> window_;
    std::vector<ControlId> timers_;
    // The buttons held, as the native state word: 1 left, 2 right, 4 middle.
    unsigned held_ = 0;
    std::deque<std::function<void()>> pending_;
    std::function<void()> onDoEvents_;
    std::deque<MessageAnswer> answers_;
    std::vector<ShownMessage> messages_;
    bool ended_ = false;
    int depth_ = 0;
    int doEventsCount_ = 0;
};

}  // namespace brumelis
