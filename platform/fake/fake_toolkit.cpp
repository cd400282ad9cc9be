#include "platform/fake/fake_toolkit.h"

#include <array>

#include "base/failure.h"
#include "platform/form_controls.h"
#include "platform/pixels.h"

namespace brumelis {

namespace {

// Thrown by End to unwind every handler at once; never a Failure, so no
// handler's failure setting can stop it.
struct ProgramEnded {};

// The native state word of the fake: the buttons at their form bits, and
// modifiers the script never holds.
constexpr NativeStateBits kFakeStateBits{1, 2, 4, 0x100, 0x200, 0x400};
constexpr int kLeftButton = 1;

PixelRect ToPixelRect(const ControlLayout& control) {
    return {ToPixels(control.left), ToPixels(control.top), ToPixels(control.width),
            ToPixels(control.height)};
}

}  // namespace

FakeFormWindow::FakeFormWindow(FakeDesktop& desktop, const FormLayout& layout, WindowHandle handle,
                               FormToolkit& toolkit, std::set<FakeOperation>& failing)
    : PixelFormWindow(layout),
      desktop_(desktop),
      handle_(handle),
      input_(toolkit, *this, kFakeStateBits),
      failing_(failing) {
    for (const ControlLayout& control : layout.controls) {
        if (control.kind == ControlKind::Timer) {
            timers_[control.id] = !control.startsStopped;
            continue;
        }
        rects_[control.id] = ToPixelRect(control);
        if (control.kind == ControlKind::PushButton) captions_[control.id] = control.caption;
    }
    desktop_.MoveWindow(handle_, {0, 0, ToPixels(layout.width), ToPixels(layout.height)});
}

void FakeFormWindow::FailIfAsked(FakeOperation operation) const {
    if (failing_.count(operation)) Raise(error::kInvalidCall, u"FakeToolkit", u"Échec simulé");
}

Twips FakeFormWindow::Width() const {
    FailIfAsked(FakeOperation::Width);
    return PixelFormWindow::Width();
}

void FakeFormWindow::SetWidth(Twips width) {
    FailIfAsked(FakeOperation::SetWidth);
    PixelFormWindow::SetWidth(width);
}

void FakeFormWindow::SetHeight(Twips height) {
    FailIfAsked(FakeOperation::SetHeight);
    PixelFormWindow::SetHeight(height);
}

void FakeFormWindow::Move(Twips left, Twips top, std::optional<Twips> width,
                          std::optional<Twips> height) {
    FailIfAsked(FakeOperation::Move);
    PixelFormWindow::Move(left, top, width, height);
}

ControlGeometry FakeFormWindow::Geometry(ControlId control) const {
    FailIfAsked(FakeOperation::Geometry);
    return PixelFormWindow::Geometry(control);
}

PixelRect FakeFormWindow::OuterRect() const {
    const ScreenRect& rect = desktop_.Get(handle_).rect;
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void FakeFormWindow::Place(const PixelRect& wanted) {
    ++nativeMoves_;
    desktop_.MoveWindow(
        handle_, {wanted.left, wanted.top, wanted.left + wanted.width, wanted.top + wanted.height});
}

std::optional<PixelRect> FakeFormWindow::ControlRect(ControlId control) const {
    const auto found = rects_.find(control);
    if (found == rects_.end()) return std::nullopt;
    return found->second;
}

Twips FakeFormWindow::Left() const {
    return ToTwips(OuterRect().left);
}

Twips FakeFormWindow::Top() const {
    return ToTwips(OuterRect().top);
}

bool FakeFormWindow::IsPushButton(ControlId control) const {
    const ControlLayout* layout = FindLayout(layout_, control);
    return layout != nullptr && layout->kind == ControlKind::PushButton;
}

void FakeFormWindow::SetEnabled(bool enabled) {
    FailIfAsked(FakeOperation::SetEnabled);
    enabled_ = enabled;
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
    if (found == timers_.end()) RaiseInvalidControl();
    found->second = running;
}

FakeToolkit::FakeToolkit(FakeDesktop& desktop, const FormLayout& layout)
    : desktop_(desktop), applicationTitle_(layout.applicationTitle) {
    owner_ = desktop.AddWindow(layout.caption, {}, false);
    const WindowHandle toolbar = desktop.AddWindow(layout.caption, {}, false);
    window_ = std::make_unique<FakeFormWindow>(desktop, layout, toolbar, *this, failing_);
    for (const ControlLayout& control : layout.controls) {
        if (control.kind == ControlKind::Timer) timers_.push_back(control.id);
    }
}

template <typename Step>
void FakeToolkit::Script(Step&& step) {
    if (ended_) return;
    ++depth_;
    try {
        step();
    } catch (const ProgramEnded&) {
        if (--depth_ > 0) throw;
        return;
    }
    --depth_;
}

void FakeToolkit::Load(FormEvents& events) {
    window_->Input().Start(events);
    Script([&] { window_->Input().Load(); });
    // The toolkit shows the window once the load handler has returned.
    if (!ended_) desktop_.SetVisible(window_->Handle(), true);
}

int FakeToolkit::Run(FormEvents& events) {
    Load(events);
    return 0;
}

// The timers that tick are decided before any handler runs (one may start
// another); kept on the stack, so that the benchmarks count the toolbar's
// allocations, not the script's.
void FakeToolkit::Tick() {
    std::array<ControlId, 8> running{};
    std::size_t count = 0;
    for (const ControlId timer : timers_) {
        if (window_->TimerRunning(timer) && count < running.size()) running[count++] = timer;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const ControlId timer = running[i];
        Script([&] { window_->Input().Tick(timer); });
    }
}

void FakeToolkit::Tick(ControlId timer) {
    if (window_->TimerRunning(timer)) Script([&] { window_->Input().Tick(timer); });
}

void FakeToolkit::Press(ControlId control, int button, int x, int y) {
    held_ |= static_cast<unsigned>(button);
    Script([&] { window_->Input().Press(Pointer(control, button, x, y)); });
}

// The state word still holds the released button, as GDK reports it.
void FakeToolkit::Release(ControlId control, int button, bool over) {
    const PointerInput input = Pointer(control, button, 0, 0);
    held_ &= ~static_cast<unsigned>(button);
    Script([&] { window_->Input().Release(input, [over] { return over; }); });
}

void FakeToolkit::Move(ControlId control, int x, int y) {
    Script([&] { window_->Input().Move(Pointer(control, 0, x, y)); });
}

void FakeToolkit::Shortcut(ShortcutId shortcut) {
    Script([&] { window_->Input().Shortcut(shortcut); });
}

void FakeToolkit::Click(ControlId control) {
    if (window_->IsPushButton(control)) {
        Script([&] { window_->Input().ButtonClicked(control); });
        return;
    }
    Press(control, kLeftButton);
    Release(control, kLeftButton);
}

void FakeToolkit::DoubleClick(ControlId control) {
    Click(control);
    Press(control, kLeftButton);
    Script([&] { window_->Input().SecondPress(control); });
    Release(control, kLeftButton);
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
    const ScopedCount open = window_->Input().LetPendingEventsRun();
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
