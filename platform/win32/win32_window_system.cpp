#include "platform/win32/win32_window_system.h"

#include "platform/win32/win32_support.h"

#include "platform/win32/deferred_style_writes.h"
#include "platform/win32/frame_bounds.h"

namespace brumelis {

WindowHandle Win32WindowSystem::GetForegroundWindow() {
    return ToWindowHandle(::GetForegroundWindow());
}

bool Win32WindowSystem::GetWindowRect(WindowHandle hWnd, ScreenRect& rect) {
    RECT native;
    if (!::GetWindowRect(ToHwnd(hWnd), &native)) return false;
    rect = ScreenRect{native.left, native.top, native.right, native.bottom};
    return true;
}

bool Win32WindowSystem::GetVisibleFrameRect(WindowHandle hWnd, ScreenRect& rect) {
    return VisibleFrameOf(ToHwnd(hWnd), rect);
}

WindowHandle Win32WindowSystem::GetWindow(WindowHandle hWnd, std::uint32_t command) {
    return ToWindowHandle(::GetWindow(ToHwnd(hWnd), command));
}

std::int32_t Win32WindowSystem::GetWindowTextA(WindowHandle hWnd, char* buffer,
                                               std::int32_t maxCount) {
    return ::GetWindowTextA(ToHwnd(hWnd), buffer, maxCount);
}

std::int32_t Win32WindowSystem::GetWindowLongA(WindowHandle hWnd, std::int32_t index) {
    return ::GetWindowLongA(ToHwnd(hWnd), index);
}

std::int32_t Win32WindowSystem::SetWindowLongA(WindowHandle hWnd, std::int32_t index,
                                               std::int32_t newLong) {
    return ::SetWindowLongA(ToHwnd(hWnd), index, newLong);
}

void Win32WindowSystem::SetExStyleLater(WindowHandle hWnd, std::int32_t exStyle) {
    DeferredStyleWrites::Instance().Write(ToHwnd(hWnd), exStyle);
}

bool Win32WindowSystem::SetLayeredWindowAttributes(WindowHandle hWnd, std::uint32_t colorKey,
                                                   std::uint8_t alpha, std::uint32_t flags) {
    // After a style write still under way; its worker applies the last one.
    if (DeferredStyleWrites::Instance().DeferAlpha(ToHwnd(hWnd), colorKey, alpha, flags))
        return true;
    return ::SetLayeredWindowAttributes(ToHwnd(hWnd), colorKey, alpha, flags) != FALSE;
}

bool Win32WindowSystem::SetWindowPos(WindowHandle hWnd, WindowHandle insertAfter, std::int32_t x,
                                     std::int32_t y, std::int32_t cx, std::int32_t cy,
                                     std::uint32_t flags) {
    return ::SetWindowPos(ToHwnd(hWnd), ToHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
}

WindowHandle Win32WindowSystem::SetActiveWindow(WindowHandle hWnd) {
    return ToWindowHandle(::SetActiveWindow(ToHwnd(hWnd)));
}

}  // namespace brumelis
