#include "platform/fake/fake_toolkit.h"

#include "base/failure.h"
#include "platform/pixels.h"
#include "platform/runtime_error_report.h"

namespace brumelis {

namespace {

// Thrown by End to unwind every handler at once; never a Failure, so no
// handler's failure setting can stop it.
struct ProgramEnded {};

}  // namespace

FakeFormWindow::FakeFormWindow(FakeDesktop& desktop, const FormLayout& layout, WindowHandle handle,
                               std::set<FakeOperation>& failing)
    : desktop_(desktop),
      handle_(handle),
      caption_(layout.caption),
      width_(layout.width),
      height_(layout.height),
      failing_(failing) {
    for (const ControlLayout& control : layout.controls) {
        geometry_[control.id] = {control.left, control.top, control.width, control.height};
        if (control.kind == ControlKind::PushButton) captions_[control.id] = control.caption;
        if (control.kind == ControlKind::Timer) timers_[control.id] = !control.startsStopped;
    }
    Apply(left_, top_, width_, height_);
    nativeMoves_ = 0;
}

void FakeFormWindow::FailIfAsked(FakeOperation operation) const {
    if (failing_.count(operation)) Raise(error::kInvalidCall, u"FakeToolkit", u"Échec simulé");
}

Twips FakeFormWindow::Width() const {
    FailIfAsked(FakeOperation::Width);
    return width_;
}

void FakeFormWindow::SetWidth(Twips width) {
    FailIfAsked(FakeOperation::SetWidth);
    Apply(left_, top_, width, height_);
}

void FakeFormWindow::SetHeight(Twips height) {
    FailIfAsked(FakeOperation::SetHeight);
    Apply(left_, top_, width_, height);
}

void FakeFormWindow::Move(Twips left, Twips top, std::optional<Twips> width,
                          std::optional<Twips> height) {
    FailIfAsked(FakeOperation::Move);
    Apply(left, top, width.value_or(width_), height.value_or(height_));
}

void FakeFormWindow::Apply(Twips left, Twips top, Twips width, Twips height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    ++nativeMoves_;
    const std::int32_t x = ToPixels(left), y = ToPixels(top);
    desktop_.MoveWindow(handle_, {x, y, x + ToPixels(width), y + ToPixels(height)});
}

void FakeFormWindow::SetEnabled(bool enabled) {
    FailIfAsked(FakeOperation::SetEnabled);
    enabled_ = enabled;
}

void FakeFormWindow::StayAbove() {
    desktop_.RaiseAboveAll(handle_);
}

ControlGeometry FakeFormWindow::Geometry(ControlId control) const {
    FailIfAsked(FakeOperation::Geometry);
    return geometry_.at(control);
}

Text FakeFormWindow::ButtonCaption(ControlId button) const {
    FailIfAsked(FakeOperation::ButtonCaption);
    return captions_.at(button);
}

void FakeFormWindow::SetButtonCaption(ControlId button, const Text& caption) {
    FailIfAsked(FakeOperation::SetButtonCaption);
    captions_.at(button) = caption;
}

void FakeFormWindow::SetTimerRunning(ControlId timer, bool running) {
    auto found = timers_.find(timer);
    if (found == timers_.end())
        Raise(error::kInvalidCall, u"FakeToolkit", u"Appel de procédure ou argument incorrect");
    found->second = running;
}

FakeToolkit::FakeToolkit(FakeDesktop& desktop, const FormLayout& layout)
    : desktop_(desktop), applicationTitle_(layout.applicationTitle) {
    owner_ = desktop.AddWindow(layout.caption, {}, false);
    const WindowHandle toolbar = desktop.AddWindow(layout.caption, {}, false);
    window_ = std::make_unique<FakeFormWindow>(desktop, layout, toolbar, failing_);
    for (const ControlLayout& control : layout.controls) {
        if (control.kind == ControlKind::Timer) timers_.push_back(control.id);
    }
}

template <typename Handler>
void FakeToolkit::Deliver(Handler&& handler) {
    if (ended_ || events_ == nullptr) return;
    ++depth_;
    try {
        DeliverEvent(*this, handler);
    } catch (const ProgramEnded&) {
        // Unwinds every handler on the stack, up to the outermost delivery.
        if (--depth_ > 0) throw;
        return;
    }
    --depth_;
}

void FakeToolkit::Load(FormEvents& events) {
    events_ = &events;
    Deliver([&] { events.Load(); });
    // The toolkit shows the window once the load handler has returned.
    if (!ended_) desktop_.SetVisible(window_->Handle(), true);
}

int FakeToolkit::Run(FormEvents& events) {
    Load(events);
    return 0;
}

void FakeToolkit::Tick() {
    std::vector<ControlId> running;
    for (const ControlId timer : timers_) {
        if (window_->TimerRunning(timer)) running.push_back(timer);
    }
    for (const ControlId timer : running) Deliver([&] { events_->Tick(timer); });
}

void FakeToolkit::Tick(ControlId timer) {
    if (window_->TimerRunning(timer)) Deliver([&] { events_->Tick(timer); });
}

void FakeToolkit::Click(ControlId control) {
    Deliver([&] { events_->Click(control); });
}

void FakeToolkit::DoubleClick(ControlId control) {
    Deliver([&] { events_->DoubleClick(control); });
}

void FakeToolkit::MouseDown(ControlId control, const MouseEvent& event) {
    Deliver([&] { events_->MouseDown(control, event); });
}

void FakeToolkit::MouseMove(ControlId control, const MouseEvent& event) {
    Deliver([&] { events_->MouseMove(control, event); });
}

MessageAnswer FakeToolkit::ShowMessage(const Text& text, MessageButtons buttons,
                                       const Text& title) {
    messages_.push_back({text, buttons, title.empty() ? applicationTitle_ : title});
    MessageAnswer answer = buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    return answer;
}

void FakeToolkit::DoEvents() {
    if (failing_.count(FakeOperation::DoEvents))
        Raise(error::kInvalidCall, u"FakeToolkit", u"Échec simulé");
    ++doEventsCount_;
    if (onDoEvents_) onDoEvents_();
    std::deque<std::function<void()>> now;
    now.swap(pending_);
    for (auto& event : now) event();
}

void FakeToolkit::End() {
    ended_ = true;
    throw ProgramEnded{};
}

}  // namespace brumelis
