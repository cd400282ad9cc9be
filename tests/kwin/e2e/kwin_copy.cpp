#include "tests/kwin/e2e/kwin_copy.h"

#include "tests/kwin/kwin_session.h"

namespace brumelis::kwin_tests {

using scenarios::WindowId;

namespace {

constexpr WindowId kBoxTag = WindowId{1} << 41;

std::optional<SeenWindow> BoxOf(long pid) {
    for (const SeenWindow& window : Windows()) {
        if (window.pid == pid && window.normal) return window;
    }
    return std::nullopt;
}

}  // namespace

WindowId BoxIdOf(long pid) {
    return kBoxTag | static_cast<WindowId>(pid);
}

long ProcessOf(WindowId window) {
    return static_cast<long>(window & ((WindowId{1} << 40) - 1));
}

KWinCopy::KWinCopy(const std::map<std::string, std::string>& changes)
    : WaylandCopy([] { Pause(); }, changes) {}

std::optional<scenarios::MessageBoxReading> KWinCopy::Box() {
    if (!IsRunning()) return std::nullopt;
    const auto window = BoxOf(program_.Pid());
    if (!window) return std::nullopt;
    scenarios::MessageBoxReading reading;
    reading.window = BoxIdOf(program_.Pid());
    reading.title = window->caption;
    ReadControls(reading);
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
    const auto button = ButtonFor(box.title, answer);
    FakePointer* pointer = FakePointer::Shared();
    if (!settled || !button || pointer == nullptr) return false;
    return pointer->Click(window->surfaceX + button->x + button->width / 2,
                          window->surfaceY + button->y + button->height / 2);
}

}  // namespace brumelis::kwin_tests
