// A plain top-level window of the driver's own at a known place: what the
// toolbar follows, pins and makes transparent.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/screen_types.h"

namespace brumelis::e2e {

class TargetWindow {
public:
    // ItsOwnAlpha: a layered window painted with UpdateLayeredWindow, half
    // transparent by its own pixels.
    enum class Paint { BySystem, ItsOwnAlpha };
    TargetWindow(const std::wstring& title, const Rect& place, Paint paint = Paint::BySystem);
    ~TargetWindow();
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;

    HWND Handle() const { return window_; }
    // Left-button presses that reached the window's client area.
    int LeftPresses() const { return leftPresses_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    int leftPresses_ = 0;
};

}  // namespace brumelis::e2e
