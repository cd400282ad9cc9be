#include "tests/sway/e2e/sway_copy.h"

#include "tests/sway/sway_desktop.h"

namespace brumelis::sway_tests {

using scenarios::WindowId;

SwayCopy::SwayCopy(const std::map<std::string, std::string>& changes)
    : WaylandCopy([] { Pause(); }, changes) {}

std::optional<scenarios::MessageBoxReading> SwayCopy::Box() {
    if (!IsRunning()) return std::nullopt;
    const std::vector<nlohmann::json> windows = WindowsOfProcess(Tree(), program_.Pid());
    if (windows.empty()) return std::nullopt;
    scenarios::MessageBoxReading reading;
    reading.window = windows.front().value("id", WindowId{0});
    reading.title = windows.front().value("name", std::string());
    ReadControls(reading);
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
    const auto button = ButtonFor(box.title, answer);
    VirtualPointer* pointer = VirtualPointer::Shared();
    if (!settled || !button || pointer == nullptr) return false;
    const sway_tests::Box rect = BoxOf((*window)["rect"]);
    return pointer->Click(rect.x + button->x + button->width / 2,
                          rect.y + button->y + button->height / 2);
}

}  // namespace brumelis::sway_tests
