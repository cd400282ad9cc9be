#include "platform/win32/win32_window_system.h"

#include "platform/win32/deferred_style_writes.h"
#include "platform/win32/frame_bounds.h"
#include "platform/win32/win32_support.h"

namespace brumelis {

WindowHandle Win32WindowSystem::GetForegroundWindow() {
    return ToWindowHandle(::GetForegroundWindow());
}

bool Win32WindowSystem::GetWindowRect(WindowHandle window, ScreenRect& rect) {
    RECT native;
    if (!::GetWindowRect(ToHwnd(window), &native)) return false;
    rect = ScreenRect{native.left, native.top, native.right, native.bottom};
    return true;
}

bool Win32WindowSystem::GetVisibleFrameRect(WindowHandle window, ScreenRect& rect) {
    return VisibleFrameOf(ToHwnd(window), rect);
}

WindowHandle Win32WindowSystem::GetWindow(WindowHandle window, std::uint32_t command) {
    return ToWindowHandle(::GetWindow(ToHwnd(window), command));
}

std::int32_t Win32WindowSystem::GetWindowTextA(WindowHandle window, char* buffer,
                                               std::int32_t maxCount) {
    return ::GetWindowTextA(ToHwnd(window), buffer, maxCount);
}

std::int32_t Win32WindowSystem::GetWindowLongA(WindowHandle window, std::int32_t index) {
    return ::GetWindowLongA(ToHwnd(window), index);
}

std::int32_t Win32WindowSystem::SetWindowLongA(WindowHandle window, std::int32_t index,
                                               std::int32_t newLong) {
    return ::SetWindowLongA(ToHwnd(window), index, newLong);
}

void Win32WindowSystem::SetExtendedStyleLater(WindowHandle window, std::int32_t style) {
    DeferredStyleWrites::Instance().Write(ToHwnd(window), style);
}

bool Win32WindowSystem::SetLayeredWindowAttributes(WindowHandle window, std::uint32_t colorKey,
                                                   std::uint8_t alpha, std::uint32_t flags) {
    // After a style write still under way; its worker applies the last one.
    if (DeferredStyleWrites::Instance().DeferAlpha(ToHwnd(window), colorKey, alpha, flags))
        return true;
    return ::SetLayeredWindowAttributes(ToHwnd(window), colorKey, alpha, flags) != FALSE;
}

bool Win32WindowSystem::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                                     std::int32_t y, std::int32_t cx, std::int32_t cy,
                                     std::uint32_t flags) {
    return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

WindowHandle Win32WindowSystem::SetActiveWindow(WindowHandle window) {
    return ToWindowHandle(::SetActiveWindow(ToHwnd(window)));
}

}  // namespace brumelis
