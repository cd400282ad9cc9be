// A scripted form toolkit over the simulated desktop: a test fires the load,
// clicks, double clicks, mouse events and timer ticks; message boxes are
// recorded and answered from a script; the end of the program is recorded.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/fake/fake_desktop.h"
#include "platform/form_toolkit.h"

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

class FakeFormWindow : public FormWindow {
public:
    FakeFormWindow(FakeDesktop& desktop, const FormLayout& layout, WindowHandle handle,
                   std::set<FakeOperation>& failing);

    WindowHandle Handle() const override { return handle_; }
    Text Caption() const override { return caption_; }
    Twips Width() const override;
    Twips Height() const override { return height_; }
    void SetWidth(Twips width) override;
    void SetHeight(Twips height) override;
    void Move(Twips left, Twips top, std::optional<Twips> width,
              std::optional<Twips> height) override;
    void SetEnabled(bool enabled) override;
    void StayAbove() override;
    ControlGeometry Geometry(ControlId control) const override;
    Text ButtonCaption(ControlId button) const override;
    void SetButtonCaption(ControlId button, const Text& caption) override;
    void SetTimerRunning(ControlId timer, bool running) override;

    bool TimerRunning(ControlId timer) const { return timers_.at(timer); }
    Twips Left() const { return left_; }
    Twips Top() const { return top_; }
    bool Enabled() const { return enabled_; }
    // Native repositionings; a move to the geometry the window has is skipped.
    int NativeMoves() const { return nativeMoves_; }
    // Tests shape the window the way a user's tool or a failed step could.
    void SetGeometryForTest(ControlId control, ControlGeometry geometry) {
        geometry_[control] = geometry;
    }

private:
    void FailIfAsked(FakeOperation operation) const;
    void Apply(Twips left, Twips top, Twips width, Twips height);

    FakeDesktop& desktop_;
    WindowHandle handle_;
    Text caption_;
    Twips left_ = 0, top_ = 0, width_, height_;
    bool enabled_ = true;
    int nativeMoves_ = 0;
    std::map<ControlId, ControlGeometry> geometry_;
    std::map<ControlId, Text> captions_;
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

    // Script: each call delivers one event, unless the program has ended.
    void Load(FormEvents& events);
    // One tick of every timer running when it is called.
    void Tick();
    // One tick of this timer, if it runs.
    void Tick(ControlId timer);
    void Click(ControlId control);
    void DoubleClick(ControlId control);
    void MouseDown(ControlId control, const MouseEvent& event);
    void MouseMove(ControlId control, const MouseEvent& event);

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
    [[noreturn]] void End() override;

private:
    template <typename Handler>
    void Deliver(Handler&& handler);

    FakeDesktop& desktop_;
    Text applicationTitle_;
    WindowHandle owner_;
    std::set<FakeOperation> failing_;
    std::unique_ptr<FakeFormWindow> window_;
    std::vector<ControlId> timers_;
    FormEvents* events_ = nullptr;
    std::deque<std::function<void()>> pending_;
    std::function<void()> onDoEvents_;
    std::deque<MessageAnswer> answers_;
    std::vector<ShownMessage> messages_;
    bool ended_ = false;
    int depth_ = 0;
    int doEventsCount_ = 0;
};

}  // namespace brumelis
