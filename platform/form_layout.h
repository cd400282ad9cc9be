// What a form looks like, as data: the toolkit builds the window from this.
// The form's own code names its controls and images; the toolkit only tells
// them apart.
#pragma once

#include <vector>

#include "base/core_types.h"

namespace brumelis {

// A control of the form, numbered by the form's code.
enum class ControlId : std::int32_t {};
// The form window itself: the container of the form's top-level controls.
inline constexpr ControlId kFormWindowId{0};

enum class ControlKind { PicturePanel, PushButton, Timer };

// An image a picture panel shows: the number of one of the program's image
// resources.
enum class ImageId : std::int32_t {};
inline constexpr ImageId kNoImage{0};

// A colour is either a fixed RGB value or one of the user's system colours.
struct Color {
    enum class Kind { Rgb, SystemWindow, SystemWindowText } kind = Kind::Rgb;
    std::uint32_t rgb = 0;  // 0x00BBGGRR, as Windows stores it
    static constexpr Color FromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Color{Kind::Rgb, static_cast<std::uint32_t>(r | (g << 8) | (b << 16))};
    }
    static constexpr Color Window() { return Color{Kind::SystemWindow, 0}; }
    static constexpr Color WindowText() { return Color{Kind::SystemWindowText, 0}; }
};

struct ControlLayout {
    ControlId id;
    ControlKind kind;
    ControlId container;
    Twips left, top, width, height;
    Color backColor;
    Color foreColor;
    ImageId image;
    Text caption;
    int tabIndex;         // -1: not in the tab order
    int timerIntervalMs;  // timers only
    // Timers only: waits for SetTimerRunning instead of running from the start.
    bool startsStopped = false;
};

// What a screen reader announces of a control, where the toolkit's own words
// would say nothing: its role, its name (empty: the toolkit's own, a button's
// caption), what it does and, where the toolkit names none (Windows), its
// default action.
enum class AccessibleRole { PushButton, ToggleButton, Slider };
struct AccessibleText {
    ControlId id;
    AccessibleRole role;
    Text name;
    Text description;
    Text action{};
};

struct FormLayout {
    Text caption;
    Text applicationTitle;                // title of message boxes that name none
    Twips width, height;                  // outer size at creation
    std::vector<ControlLayout> controls;  // in creation order
    std::vector<AccessibleText> accessible{};
};

}  // namespace brumelis
