// The form window as the handlers see it: sizes and positions in twips at 15
// twips per pixel, read back from the native windows every time.
#include <vector>

#include "platform/form_controls.h"
#include "platform/pixels.h"
#include "platform/win32/win32_form.h"

namespace brumelis {

namespace {

Text WindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, buffer.data(), length + 1);
    return FromWide(buffer.data(), copied);
}

}  // namespace

WindowHandle Win32Form::Handle() const {
    return ToWindowHandle(ToolbarWindow());
}

Text Win32Form::Caption() const {
    return WindowText(ToolbarWindow());
}

RECT Win32Form::OuterRect() const {
    RECT rect{};
    ::GetWindowRect(ToolbarWindow(), &rect);
    return rect;
}

Twips Win32Form::Width() const {
    const RECT rect = OuterRect();
    return ToTwips(rect.right - rect.left);
}

Twips Win32Form::Height() const {
    const RECT rect = OuterRect();
    return ToTwips(rect.bottom - rect.top);
}

void Win32Form::SetWidth(Twips width) {
    const RECT rect = OuterRect();
    Place(rect, rect.left, rect.top, ToPixels(width), rect.bottom - rect.top);
}

void Win32Form::SetHeight(Twips height) {
    const RECT rect = OuterRect();
    Place(rect, rect.left, rect.top, rect.right - rect.left, ToPixels(height));
}

void Win32Form::Move(Twips left, Twips top, std::optional<Twips> width,
                     std::optional<Twips> height) {
    const RECT rect = OuterRect();
    Place(rect, ToPixels(left), ToPixels(top), width ? ToPixels(*width) : rect.right - rect.left,
          height ? ToPixels(*height) : rect.bottom - rect.top);
}

// The follower moves the toolbar on every tick: when nothing changes, no call
// is made, so an idle toolbar does not flicker.
void Win32Form::Place(const RECT& current, int left, int top, int width, int height) {
    if (current.left == left && current.top == top && current.right - current.left == width &&
        current.bottom - current.top == height) {
        return;
    }
    ::SetWindowPos(ToolbarWindow(), nullptr, left, top, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::SetEnabled(bool enabled) {
    ::EnableWindow(ToolbarWindow(), enabled);
}

ControlGeometry Win32Form::Geometry(ControlId control) const {
    if (control != kFormWindowId && controls_.count(control) == 0) {
        // Controls without a window (the timer) keep their design-time values.
        if (const ControlLayout* layout = FindLayout(layout_, control)) {
            return {layout->left, layout->top, layout->width, layout->height};
        }
    }
    const HWND hwnd = FindControl(controls_, control).hwnd;
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    if (control != kFormWindowId) {
        // Children are placed in their container's client area.
        ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    }
    return {ToTwips(rect.left), ToTwips(rect.top), ToTwips(rect.right - rect.left),
            ToTwips(rect.bottom - rect.top)};
}

Text Win32Form::ButtonCaption(ControlId button) const {
    return WindowText(FindControl(controls_, button).hwnd);
}

// Unchanged captions are not set again: the follower sets it on every tick.
void Win32Form::SetButtonCaption(ControlId button, const Text& caption) {
    const HWND hwnd = FindControl(controls_, button).hwnd;
    if (WindowText(hwnd) == caption) return;
    ::SetWindowTextW(hwnd, Wide(caption));
}

}  // namespace brumelis
