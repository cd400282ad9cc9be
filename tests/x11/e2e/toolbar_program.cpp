#include "tests/x11/e2e/toolbar_program.h"

#include "tests/support/accessible_tree.h"
#include "tests/x11/support/wait.h"

namespace brumelis::x11_tests {

ToolbarProgram::ToolbarProgram(XSession& x, const std::map<std::string, std::string>& changes)
    : x_(x), program_(BRUMELIS_PROGRAM, changes) {}

bool ToolbarProgram::WaitForExit() {
    return WaitUntil([&] { return !IsRunning(); });
}

scenarios::WindowId ToolbarProgram::Toolbar() {
    for (XWindowId window : x_.WindowsOfProcess(static_cast<std::uint32_t>(program_.Pid()))) {
        if (x_.IsOverrideRedirect(window) && x_.IsMappedAndViewable(window) &&
            x_.Title(window) == std::string("BrumelisZOLVEC"))
            return window;
    }
    return 0;
}

// Read only under the slider's French name.
std::optional<int> ToolbarProgram::SliderValue() {
    const auto window = test_support::ReadWindow(program_.Pid(), "BrumelisZOLVEC");
    if (!window || window->sliders.size() != 1) return std::nullopt;
    const test_support::AccessibleSlider& slider = window->sliders.front();
    if (slider.name != "Opacité de la fenêtre" || slider.value < 0) return std::nullopt;
    return static_cast<int>(slider.value);
}

std::optional<std::string> ToolbarProgram::PinCaption() {
    return test_support::PushButtonName(program_.Pid(), "BrumelisZOLVEC");
}

XWindowId ToolbarProgram::FindBox() const {
    for (XWindowId window : x_.WindowsOfProcess(static_cast<std::uint32_t>(program_.Pid()))) {
        if (!x_.IsOverrideRedirect(window) && x_.IsMappedAndViewable(window)) return window;
    }
    return 0;
}

XWindowId ToolbarProgram::WaitForBox() const {
    XWindowId found = 0;
    WaitUntil([&] { return (found = FindBox()) != 0; });
    return found;
}

std::optional<scenarios::MessageBoxReading> ToolbarProgram::Box() {
    const XWindowId box = FindBox();
    if (box == 0) return std::nullopt;
    scenarios::MessageBoxReading reading;
    reading.window = box;
    reading.title = x_.Title(box).value_or("");
    return reading;
}

// With the keys GTK gives the buttons in the C locale, once the window
// manager has made the box active.
bool ToolbarProgram::Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) {
    if (answer == scenarios::Answer::Other || !x_.ActivateAndWait(box.window)) return false;
    if (answer == scenarios::Answer::Ok) x_.Key("Return");
    if (answer == scenarios::Answer::Yes) x_.Key("y", {"Alt_L"});
    if (answer == scenarios::Answer::No) x_.Key("n", {"Alt_L"});
    return true;
}

}  // namespace brumelis::x11_tests
