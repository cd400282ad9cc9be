#include "tests/kwin/e2e/kwin_copy.h"

#include <algorithm>

#include "tests/kwin/kwin_session.h"
#include "tests/support/accessible_tree.h"
#include "tests/support/wait.h"

namespace brumelis::kwin_tests {

using scenarios::Answer;
using scenarios::WindowId;

namespace {

constexpr WindowId kToolbarTag = WindowId{1} << 40;
constexpr WindowId kBoxTag = WindowId{1} << 41;
const std::string kCaption = "BrumelisZOLVEC";
constexpr std::chrono::milliseconds kDeadline{5000};

bool WaitUntil(const std::function<bool()>& condition) {
    return test_support::WaitUntil(condition, kDeadline, [] { Pause(); });
}

// GTK's stock labels in the C locale, their mnemonics left out.
Answer AnswerNamed(const std::string& name) {
    if (name == "Yes") return Answer::Yes;
    if (name == "No") return Answer::No;
    if (name == "OK") return Answer::Ok;
    return Answer::Other;
}

std::optional<SeenWindow> BoxOf(long pid) {
    for (const SeenWindow& window : Windows()) {
        if (window.pid == pid && window.normal) return window;
    }
    return std::nullopt;
}

}  // namespace

WindowId ToolbarIdOf(long pid) {
    return kToolbarTag | static_cast<WindowId>(pid);
}
WindowId BoxIdOf(long pid) {
    return kBoxTag | static_cast<WindowId>(pid);
}
bool IsToolbarId(WindowId window) {
    return (window & kToolbarTag) != 0;
}
long ProcessOf(WindowId window) {
    return static_cast<long>(window & ((WindowId{1} << 40) - 1));
}

KWinCopy::KWinCopy() : program_(BRUMELIS_PROGRAM, {}) {}

bool KWinCopy::WaitForExit() {
    return WaitUntil([&] { return !IsRunning(); });
}

WindowId KWinCopy::Toolbar() {
    if (!IsRunning()) return 0;
    const auto window = test_support::ReadWindow(program_.Pid(), kCaption);
    return window && window->showing ? ToolbarIdOf(program_.Pid()) : 0;
}

std::optional<std::string> KWinCopy::PinCaption() {
    return test_support::PushButtonName(program_.Pid(), kCaption);
}

std::optional<scenarios::MessageBoxReading> KWinCopy::Box() {
    if (!IsRunning()) return std::nullopt;
    const auto window = BoxOf(program_.Pid());
    if (!window) return std::nullopt;
    scenarios::MessageBoxReading reading;
    reading.window = BoxIdOf(program_.Pid());
    reading.title = window->caption;
    const auto read = test_support::ReadWindow(program_.Pid(), reading.title);
    if (!read || read->buttons.empty()) return reading;
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
    return reading;
}

// A click on the button as the box shows it: its place in the window's
// surface, read over AT-SPI, from the surface's corner as KWin reports it
// once it stays put.
bool KWinCopy::Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) {
    std::optional<SeenWindow> window, previous;
    const bool settled = WaitUntil([&] {
        previous = window;
        window = BoxOf(ProcessOf(box.window));
        return window && previous && window->surfaceX == previous->surfaceX &&
               window->surfaceY == previous->surfaceY;
    });
    const auto read = test_support::ReadWindow(program_.Pid(), box.title);
    if (!settled || !read) return false;
    const auto button = std::find_if(read->buttons.begin(), read->buttons.end(), [&](auto& b) {
        return AnswerNamed(b.name) == answer && answer != Answer::Other;
    });
    FakePointer* pointer = FakePointer::Shared();
    if (button == read->buttons.end() || pointer == nullptr) return false;
    return pointer->Click(window->surfaceX + button->x + button->width / 2,
                          window->surfaceY + button->y + button->height / 2);
}

}  // namespace brumelis::kwin_tests
