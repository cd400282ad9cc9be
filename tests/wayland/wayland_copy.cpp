#include "tests/wayland/wayland_copy.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include "tests/support/wait.h"

namespace brumelis::wayland_tests {

using scenarios::Answer;
using scenarios::WindowId;

namespace {

constexpr WindowId kToolbarTag = WindowId{1} << 40;
const std::string kCaption = "BrumelisZOLVEC";
constexpr std::chrono::milliseconds kDeadline{5000};

// GTK's stock labels in the C locale, their mnemonics left out.
Answer AnswerNamed(const std::string& name) {
    if (name == "Yes") return Answer::Yes;
    if (name == "No") return Answer::No;
    if (name == "OK") return Answer::Ok;
    return Answer::Other;
}

}  // namespace

WindowId ToolbarIdOf(long pid) {
    return kToolbarTag | static_cast<WindowId>(pid);
}

bool IsToolbarId(WindowId window) {
    return (window & kToolbarTag) != 0;
}

WaylandCopy::WaylandCopy(std::function<void()> pause,
                         const std::map<std::string, std::string>& changes)
    : program_(BRUMELIS_PROGRAM, changes), pause_(std::move(pause)) {}

bool WaylandCopy::WaitUntil(const std::function<bool()>& condition) {
    return test_support::WaitUntil(condition, kDeadline, pause_);
}

bool WaylandCopy::WaitForExit() {
    return WaitUntil([&] { return !IsRunning(); });
}

// The copy's window bearing the caption, once mapped.
WindowId WaylandCopy::Toolbar() {
    if (!IsRunning()) return 0;
    const auto window = test_support::ReadWindow(program_.Pid(), kCaption);
    return window && window->showing ? ToolbarIdOf(program_.Pid()) : 0;
}

std::optional<std::string> WaylandCopy::PinCaption() {
    return test_support::PushButtonName(program_.Pid(), kCaption);
}

void WaylandCopy::ReadControls(scenarios::MessageBoxReading& reading) {
    const auto read = test_support::ReadWindow(program_.Pid(), reading.title);
    if (!read || read->buttons.empty()) return;
    // Where GTK draws its own title bar, its label repeats the title.
    std::vector<std::string> texts;
    for (const std::string& label : read->labels) {
        if (label != reading.title) texts.push_back(label);
    }
    if (texts.size() == 1) reading.text = texts.front();
    std::vector<test_support::AccessibleButton> buttons = read->buttons;
    std::stable_sort(buttons.begin(), buttons.end(),
                     [](const auto& a, const auto& b) { return a.x < b.x; });
    reading.buttons.emplace();
    for (const auto& button : buttons) {
        reading.buttons->push_back(AnswerNamed(button.name));
        if (button.isDefault) reading.defaultButton = AnswerNamed(button.name);
    }
}

std::optional<test_support::AccessibleButton> WaylandCopy::ButtonFor(const std::string& title,
                                                                     scenarios::Answer answer) {
    const auto read = test_support::ReadWindow(program_.Pid(), title);
    if (!read || answer == scenarios::Answer::Other) return std::nullopt;
    for (const auto& button : read->buttons) {
        if (AnswerNamed(button.name) == answer) return button;
    }
    return std::nullopt;
}

}  // namespace brumelis::wayland_tests
