#include "platform/win32/win32_window_system.h"

#include "platform/win32/win32_support.h"

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

bool Win32WindowSystem::SetLayeredWindowAttributes(WindowHandle hWnd, std::uint32_t colorKey,
                                                   std::uint8_t alpha, std::uint32_t flags) {
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
