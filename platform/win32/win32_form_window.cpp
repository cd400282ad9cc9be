// The form window over user32: its caption and state, and its geometry in
// pixels, read back from the native windows every time.
#include <vector>

#include "platform/form_controls.h"
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

PixelRect Win32Form::OuterRect() const {
    RECT rect{};
    ::GetWindowRect(ToolbarWindow(), &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Win32Form::Place(const PixelRect& wanted) {
    ::SetWindowPos(ToolbarWindow(), nullptr, wanted.left, wanted.top, wanted.width, wanted.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::SetEnabled(bool enabled) {
    ::EnableWindow(ToolbarWindow(), enabled);
}

// The same request as for a window the user pins: the band kept above, put
// at its top, never activated.
void Win32Form::StayAbove() {
    ::SetWindowPos(ToolbarWindow(), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
}

std::optional<PixelRect> Win32Form::ControlRect(ControlId control) const {
    const auto found = controls_.find(control);
    if (found == controls_.end()) return std::nullopt;
    const HWND hwnd = found->second.hwnd;
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    // Children are placed in their container's client area.
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return PixelRect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
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
