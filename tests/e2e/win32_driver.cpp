#include "tests/e2e/win32_driver.h"

#include "tests/e2e/message_box.h"
#include "tests/e2e/mouse_input.h"
#include "tests/e2e/toolbar_process.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using scenarios::Answer;
using scenarios::MessageBoxReading;
using scenarios::ToolbarCopy;
using namespace test_support;

namespace {

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    return utf8;
}

std::wstring Wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

MouseButton MouseButtonOf(scenarios::Button button) {
    return button == scenarios::Button::Left ? MouseButton::Left : MouseButton::Right;
}

int DialogIdOf(Answer answer) {
    switch (answer) {
        case Answer::Ok: return IDOK;
        case Answer::Yes: return IDYES;
        case Answer::No: return IDNO;
        case Answer::Other: break;
    }
    return 0;
}

Answer AnswerOf(int dialogId) {
    for (Answer answer : {Answer::Ok, Answer::Yes, Answer::No})
        if (DialogIdOf(answer) == dialogId) return answer;
    return Answer::Other;
}

class Win32Copy : public ToolbarCopy {
public:
    explicit Win32Copy(ToolbarProcess::Start start) : process_(start) {}
    void Resume() { process_.Resume(); }

    bool Started() const override { return process_.Started(); }
    bool IsRunning() override { return process_.IsRunning(); }
    bool WaitForExit() override { return process_.WaitForExit(); }
    std::optional<int> ExitCode() override {
        if (process_.IsRunning()) return std::nullopt;
        return static_cast<int>(process_.ExitCode());
    }
    WindowId Toolbar() override { return IdOf(process_.FindToolbar()); }
    std::optional<std::string> PinCaption() override {
        return Utf8(WindowText(PinButtonOf(process_.FindToolbar())));
    }

    std::optional<MessageBoxReading> Box() override {
        const HWND dialog = FindMessageBox(process_.Id());
        if (dialog == nullptr) return std::nullopt;
        const MessageBoxContents contents = ReadMessageBox(dialog);
        MessageBoxReading box;
        box.window = IdOf(dialog);
        box.title = Utf8(contents.title);
        box.text = Utf8(contents.text);
        box.buttons.emplace();
        for (int id : contents.ButtonIds()) box.buttons->push_back(AnswerOf(id));
        if (contents.defaultId != 0) box.defaultButton = AnswerOf(contents.defaultId);
        box.showsIcon = contents.showsIcon;
        return box;
    }

    bool Answer(const MessageBoxReading& box, scenarios::Answer answer) override {
        return PressButton(ReadMessageBox(Hwnd(box.window)), DialogIdOf(answer));
    }

private:
    ToolbarProcess process_;
};

}  // namespace

HWND PinButtonOf(HWND toolbar) {
    return toolbar == nullptr ? nullptr : DescendantOfClass(toolbar, L"Button");
}

std::unique_ptr<ToolbarCopy> Win32Driver::StartCopy() {
    return std::make_unique<Win32Copy>(ToolbarProcess::Start::Running);
}

// Created suspended and resumed one right after the other: neither runs any
// code of its own before both exist.
std::vector<std::unique_ptr<ToolbarCopy>> Win32Driver::StartTogether(int count) {
    std::vector<std::unique_ptr<Win32Copy>> suspended;
    for (int i = 0; i < count; ++i)
        suspended.push_back(std::make_unique<Win32Copy>(ToolbarProcess::Start::Suspended));
    std::vector<std::unique_ptr<ToolbarCopy>> copies;
    for (auto& copy : suspended) {
        copy->Resume();
        copies.push_back(std::move(copy));
    }
    return copies;
}

scenarios::Milliseconds Win32Driver::StartTimeout() const {
    return kStartTimeout;
}

WindowId Win32Driver::OpenTarget(const std::string& title, const Rect& place) {
    targets_.push_back(std::make_unique<TargetWindow>(Wide(title), place));
    return IdOf(targets_.back()->Handle());
}

const TargetWindow* Win32Driver::Target(WindowId window) const {
    for (const auto& target : targets_)
        if (IdOf(target->Handle()) == window) return target.get();
    return nullptr;
}

bool Win32Driver::BringToForeground(WindowId window) {
    return e2e::BringToForeground(Hwnd(window));
}

void Win32Driver::Move(WindowId window, Point corner) {
    SetWindowPos(Hwnd(window), nullptr, corner.x, corner.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Wine's frames have no invisible borders: the window rectangle is what shows.
Rect Win32Driver::VisibleFrame(WindowId window) {
    return WindowRect(Hwnd(window));
}

bool Win32Driver::IsKeptAbove(WindowId window) {
    return IsTopmost(Hwnd(window));
}

bool Win32Driver::IsStackedAbove(WindowId upper, WindowId lower) {
    const int index = ZOrderIndex(Hwnd(upper));
    return index >= 0 && index < ZOrderIndex(Hwnd(lower));
}

std::optional<int> Win32Driver::Alpha(WindowId window) {
    // GetLayeredWindowAttributes fails on a window that is not layered.
    const std::optional<std::uint8_t> alpha = LayeredAlpha(Hwnd(window));
    if (!alpha) return std::nullopt;
    return *alpha;
}

bool Win32Driver::Click(WindowId over, Point point, scenarios::Button button) {
    return ClickOn(Hwnd(over), point, MouseButtonOf(button));
}

bool Win32Driver::DoubleClick(WindowId over, Point point) {
    return DoubleClickOn(Hwnd(over), point);
}

bool Win32Driver::Drag(WindowId over, Point from, Point to, scenarios::Button button) {
    return DragOn(Hwnd(over), from, to, MouseButtonOf(button));
}

bool Win32Driver::WaitUntil(const std::function<bool()>& condition,
                            scenarios::Milliseconds timeout) {
    return test_support::WaitUntil(condition, timeout);
}

bool Win32Driver::HoldsFor(const std::function<bool()>& condition,
                           scenarios::Milliseconds interval) {
    return test_support::HoldsFor(condition, interval);
}

}  // namespace brumelis::e2e

namespace brumelis::scenarios {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<e2e::Win32Driver>();
}

}  // namespace brumelis::scenarios
