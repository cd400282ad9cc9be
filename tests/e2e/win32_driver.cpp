#include "tests/e2e/win32_driver.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/e2e/mouse_input.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/toolbar_process.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using scenarios::ToolbarCopy;
using scenarios::WindowId;

namespace {

std::wstring Wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

// The virtual keys of a chord such as "Super+Ctrl+Shift+PageUp"; empty
// when a name is unknown.
std::vector<WORD> KeysOf(const std::string& chord) {
    static const std::pair<const char*, WORD> kNamed[] = {
        {"Super", VK_LWIN},   {"Ctrl", VK_CONTROL},  {"Shift", VK_SHIFT}, {"Alt", VK_MENU},
        {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT}, {"Home", VK_HOME}};
    std::vector<WORD> keys;
    std::size_t start = 0;
    while (start <= chord.size()) {
        const std::size_t end = std::min(chord.find('+', start), chord.size());
        const std::string name = chord.substr(start, end - start);
        WORD key = name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z' ? name[0] : 0;
        for (const auto& [named, code] : kNamed)
            if (name == named) key = code;
        if (key == 0) return {};
        keys.push_back(key);
        start = end + 1;
    }
    return keys;
}

MouseButton MouseButtonOf(scenarios::Button button) {
    return button == scenarios::Button::Left ? MouseButton::Left : MouseButton::Right;
}

class Win32Driver : public scenarios::Driver {
public:
    std::unique_ptr<ToolbarCopy> StartCopy() override {
        return std::make_unique<ToolbarProcess>(ToolbarProcess::Start::Running);
    }
    // Created suspended and resumed one right after the other: neither runs
    // any code of its own before both exist.
    std::vector<std::unique_ptr<ToolbarCopy>> StartTogether(int count) override {
        std::vector<std::unique_ptr<ToolbarProcess>> suspended;
        for (int i = 0; i < count; ++i)
            suspended.push_back(std::make_unique<ToolbarProcess>(ToolbarProcess::Start::Suspended));
        std::vector<std::unique_ptr<ToolbarCopy>> copies;
        for (auto& copy : suspended) {
            copy->Resume();
            copies.push_back(std::move(copy));
        }
        return copies;
    }

    WindowId OpenTarget(const std::string& title, const Rect& place) override {
        targets_.push_back(std::make_unique<TargetWindow>(Wide(title), place));
        return IdOf(targets_.back()->Handle());
    }
    WindowId OpenTargetThatDrawsItself(const std::string& title, const Rect& place) override {
        targets_.push_back(
            std::make_unique<TargetWindow>(Wide(title), place, TargetWindow::Paint::ItsOwnAlpha));
        return IdOf(targets_.back()->Handle());
    }
    const TargetWindow* Target(WindowId window) const {
        for (const auto& target : targets_)
            if (IdOf(target->Handle()) == window) return target.get();
        return nullptr;
    }
    // As a user's click would; Wine has no foreground lock.
    bool BringToForeground(WindowId window) override {
        return test_support::WaitUntil([&] {
            if (GetForegroundWindow() == Hwnd(window)) return true;
            SetForegroundWindow(Hwnd(window));
            return false;
        });
    }
    WindowId Foreground() override { return IdOf(GetForegroundWindow()); }
    void Move(WindowId window, Point corner) override {
        SetWindowPos(Hwnd(window), nullptr, corner.x, corner.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Wine's frames have no invisible borders: the window rectangle shows.
    Rect VisibleFrame(WindowId window) override { return WindowRect(Hwnd(window)); }
    bool IsKeptAbove(WindowId window) override { return IsTopmost(Hwnd(window)); }
    bool IsStackedAbove(WindowId upper, WindowId lower) override {
        const int index = ZOrderIndex(Hwnd(upper));
        return index >= 0 && index < ZOrderIndex(Hwnd(lower));
    }
    // GetLayeredWindowAttributes fails on a window that is not layered.
    std::optional<int> Alpha(WindowId window) override {
        const std::optional<std::uint8_t> alpha = LayeredAlpha(Hwnd(window));
        return alpha ? std::optional<int>(*alpha) : std::nullopt;
    }

    std::vector<std::uint32_t> Capture(const Rect& area) override {
        const ScreenImage image = ScreenImage::Capture(area);
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < image.Extent().height; ++y)
            for (int x = 0; x < image.Extent().width; ++x) pixels.push_back(image.At(x, y));
        return pixels;
    }

    bool Click(WindowId over, Point point, scenarios::Button button) override {
        return ClickOn(Hwnd(over), point, MouseButtonOf(button));
    }
    bool DoubleClick(WindowId over, Point point) override {
        return DoubleClickOn(Hwnd(over), point);
    }
    bool Drag(WindowId over, Point from, Point to, scenarios::Button button) override {
        return DragOn(Hwnd(over), from, to, MouseButtonOf(button));
    }

    // Downs in order, ups in reverse, in one batch: the chord is never half
    // pressed while the toolbar looks.
    bool PressKeys(WindowId over, const std::string& chord) override {
        const std::vector<WORD> keys = KeysOf(chord);
        if (keys.empty() || !BringToForeground(over)) return false;
        std::vector<INPUT> inputs(2 * keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            INPUT& down = inputs[i];
            INPUT& up = inputs[inputs.size() - 1 - i];
            down.type = up.type = INPUT_KEYBOARD;
            down.ki.wVk = up.ki.wVk = keys[i];
            up.ki.dwFlags = KEYEVENTF_KEYUP;
        }
        const auto count = static_cast<UINT>(inputs.size());
        return SendInput(count, inputs.data(), sizeof(INPUT)) == count;
    }
    // A hot key of the driver's thread, as another program's.
    bool HoldKeys(const std::string& chord) override {
        UINT modifiers = 0;
        UINT key = 0;
        for (const WORD code : KeysOf(chord)) {
            if (code == VK_LWIN)
                modifiers |= MOD_WIN;
            else if (code == VK_CONTROL)
                modifiers |= MOD_CONTROL;
            else if (code == VK_SHIFT)
                modifiers |= MOD_SHIFT;
            else if (code == VK_MENU)
                modifiers |= MOD_ALT;
            else
                key = code;
        }
        const int id = static_cast<int>(held_.size()) + 1;
        if (key == 0 || !RegisterHotKey(nullptr, id, modifiers, key)) return false;
        held_.push_back(id);
        return true;
    }
    ~Win32Driver() override {
        for (const int id : held_) UnregisterHotKey(nullptr, id);
    }

    bool KeepsWindowsAbove() override { return true; }
    bool ShowsOpacity() override { return true; }
    void Pause() override { test_support::PumpMessagesFor(scenarios::Milliseconds{5}); }

private:
    std::vector<std::unique_ptr<TargetWindow>> targets_;
    std::vector<int> held_;
};

}  // namespace

HWND PinButtonOf(HWND toolbar) {
    return toolbar == nullptr ? nullptr : DescendantOfClass(toolbar, L"Button");
}

const TargetWindow* OpenedTarget(scenarios::Driver& driver, WindowId window) {
    return static_cast<Win32Driver&>(driver).Target(window);
}

}  // namespace brumelis::e2e

namespace brumelis::scenarios {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<e2e::Win32Driver>();
}

}  // namespace brumelis::scenarios
