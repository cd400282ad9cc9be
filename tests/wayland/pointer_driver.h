// What the scenarios' drivers on sway and KWin do alike: input through a
// pointer client of the session (the wlroots virtual pointer, KWin's fake
// input: the same calls), parked in a corner while the screen is read, and
// opacity read off the screen. Each desktop adds how it places, finds and
// stacks windows, and how it reads the screen.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "tests/scenarios/driver.h"
#include "tests/support/wait.h"

namespace brumelis::wayland_tests {

inline bool Contains(const scenarios::Rect& r, scenarios::Point p) {
    return p.x >= r.left && p.y >= r.top && p.x < r.left + r.width && p.y < r.top + r.height;
}

template <class Pointer>
class PointerDriver : public scenarios::Driver {
public:
    ~PointerDriver() override {
        if (pointer_ == nullptr) return;
        for (int button : {1, 3}) pointer_->Release(button);
    }

    // As the screen shows it: the target's body is white over the desktop's
    // black background, so its shown red channel is its alpha; a window
    // never made translucent reads 255, like an opaque one.
    std::optional<int> Alpha(scenarios::WindowId window) override {
        const scenarios::Rect frame = VisibleFrame(window);
        const scenarios::Point probe{frame.left + 12, frame.top + frame.height - 12};
        const std::vector<std::uint32_t> shot = Capture({probe.x, probe.y, 1, 1});
        if (shot.size() != 1) return std::nullopt;
        const std::uint32_t shown = shot.front();
        const int red = static_cast<int>(shown >> 16);
        if ((shown & 0xFF) != static_cast<std::uint32_t>(red)) return -1;  // not grey: not the body
        return red;
    }
    std::optional<int> UnsetAlpha() override { return 255; }
    bool ShowsOpacity() override { return true; }

    std::vector<std::uint32_t> Capture(const scenarios::Rect& area) override {
        Park();
        return ReadScreen(area);
    }

    bool Click(scenarios::WindowId over, scenarios::Point point,
               scenarios::Button button) override {
        if (!PointAt(over, point)) return false;
        return pointer_->Click(point.x, point.y, ButtonOf(button)) && Moved();
    }
    bool DoubleClick(scenarios::WindowId over, scenarios::Point point) override {
        if (!PointAt(over, point)) return false;
        return pointer_->Click(point.x, point.y) && pointer_->Press() && pointer_->Release() &&
               Moved();
    }
    bool Drag(scenarios::WindowId over, scenarios::Point from, scenarios::Point to,
              scenarios::Button button) override {
        if (!PointAt(over, from)) return false;
        // Through a point in between, as a hand would go.
        return pointer_->MoveTo(from.x, from.y) && pointer_->Press(ButtonOf(button)) &&
               pointer_->MoveTo(from.x, (from.y + to.y) / 2) && pointer_->MoveTo(to.x, to.y) &&
               pointer_->Release(ButtonOf(button)) && Moved();
    }

protected:
    // Parked: a corner of the screen no scenario uses, where the pointer
    // waits while the screen is read (hovered controls look otherwise).
    PointerDriver(Pointer* pointer, scenarios::Point parked) : pointer_(pointer), parked_(parked) {}

    // The area as 0xRRGGBB row by row from the top, the pointer parked.
    virtual std::vector<std::uint32_t> ReadScreen(const scenarios::Rect& area) = 0;

    bool WaitUntil(const std::function<bool()>& condition) {
        return test_support::WaitUntil(condition, std::chrono::milliseconds(5000),
                                       [this] { Pause(); });
    }
    void Park() {
        if (!isParked_) isParked_ = pointer_->MoveTo(parked_.x, parked_.y);
    }

    Pointer* pointer_;

private:
    static int ButtonOf(scenarios::Button button) {
        return button == scenarios::Button::Left ? 1 : 3;
    }
    // Waits until the point lies on the window.
    bool PointAt(scenarios::WindowId over, scenarios::Point point) {
        return WaitUntil([&] { return Contains(VisibleFrame(over), point); });
    }
    bool Moved() {
        isParked_ = false;
        return true;
    }

    scenarios::Point parked_;
    bool isParked_ = false;
};

}  // namespace brumelis::wayland_tests
