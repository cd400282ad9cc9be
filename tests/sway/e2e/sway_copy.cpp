#include "tests/sway/e2e/sway_copy.h"

#include <algorithm>

#include "tests/support/accessible_tree.h"
#include "tests/support/wait.h"
#include "tests/sway/sway_desktop.h"

namespace brumelis::sway_tests {

using scenarios::Answer;
using scenarios::WindowId;

namespace {

constexpr WindowId kToolbarTag = WindowId{1} << 40;
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

}  // namespace

WindowId ToolbarIdOf(int pid) {
    return kToolbarTag | static_cast<WindowId>(pid);
}

bool IsToolbarId(WindowId window) {
    return (window & kToolbarTag) != 0;
}

SwayCopy::SwayCopy() : program_(BRUMELIS_PROGRAM, {}) {}

bool SwayCopy::WaitForExit() {
    return WaitUntil([&] { return !IsRunning(); });
}

// The copy's window bearing the caption, once mapped.
WindowId SwayCopy::Toolbar() {
    if (!IsRunning()) return 0;
    const auto window = test_support::ReadWindow(program_.Pid(), kCaption);
    return window && window->showing ? ToolbarIdOf(program_.Pid()) : 0;
}

std::optional<std::string> SwayCopy::PinCaption() {
    return test_support::PushButtonName(program_.Pid(), kCaption);
}

std::optional<scenarios::MessageBoxReading> SwayCopy::Box() {
    if (!IsRunning()) return std::nullopt;
    const std::vector<nlohmann::json> windows = WindowsOfProcess(Tree(), program_.Pid());
    if (windows.empty()) return std::nullopt;
    scenarios::MessageBoxReading reading;
    reading.window = windows.front().value("id", WindowId{0});
    reading.title = windows.front().value("name", std::string());
    const auto read = test_support::ReadWindow(program_.Pid(), reading.title);
    if (!read || read->buttons.empty()) return reading;
    // GTK draws its own title bar over the box, whose label repeats the title.
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

// A click on the button as the box shows it: its place in the window, read
// over AT-SPI, from the window's corner, read from sway's tree once it
// stays put.
bool SwayCopy::Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) {
    std::optional<nlohmann::json> window, previous;
    const bool settled = WaitUntil([&] {
        previous = window;
        window = WindowWithId(Tree(), box.window);
        return window && previous && (*window)["rect"] == (*previous)["rect"];
    });
    const auto read = test_support::ReadWindow(program_.Pid(), box.title);
    if (!settled || !read) return false;
    const auto button = std::find_if(read->buttons.begin(), read->buttons.end(), [&](auto& b) {
        return AnswerNamed(b.name) == answer && answer != Answer::Other;
    });
    VirtualPointer* pointer = VirtualPointer::Shared();
    if (button == read->buttons.end() || pointer == nullptr) return false;
    const sway_tests::Box rect = BoxOf((*window)["rect"]);
    return pointer->Click(rect.x + button->x + button->width / 2,
                          rect.y + button->y + button->height / 2);
}

}  // namespace brumelis::sway_tests
