// The toolbar as the tests see it: its window, its places in client pixels
// and the readings the tests make of it.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/screen_types.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

inline constexpr Size kFoldedSize{10, 10};
inline constexpr Size kUnfoldedSize{33, 113};

// Client pixels: the red square is 9x9 at the corner, the pin button 33x17
// at (0, 8), the slider 25x89 at (3, 24); the rest is panel background.
inline constexpr Point kRedSquare{4, 4};
inline constexpr Point kPinButton{16, 16};
inline constexpr int kSliderLeft = 3;
inline constexpr int kSliderTop = 24;
inline constexpr int kSliderWidth = 25;
inline constexpr int kSliderHeight = 89;
// Right of the red square, above the button.
inline constexpr Point kPanelBackground{22, 3};

class ToolbarView {
public:
    explicit ToolbarView(HWND window) : window_(window) {}

    HWND Handle() const { return window_; }
    Rect ScreenRect() const { return WindowRect(window_); }
    Size Extent() const { return ScreenRect().Extent(); }
    bool IsTopmost() const { return brumelis::e2e::IsTopmost(window_); }

    // A point given in the toolbar's client pixels, on the screen.
    Point OnScreen(Point client) const {
        POINT p{client.x, client.y};
        ClientToScreen(window_, &p);
        return {p.x, p.y};
    }
    // A point in the slider's middle column, `offset` pixels below its top.
    Point Slider(int offset) const {
        return OnScreen({kSliderLeft + kSliderWidth / 2, kSliderTop + offset});
    }

    HWND PinButton() const { return DescendantOfClass(window_, L"Button"); }
    std::wstring PinCaption() const { return WindowText(PinButton()); }

private:
    HWND window_;
};

}  // namespace brumelis::e2e
