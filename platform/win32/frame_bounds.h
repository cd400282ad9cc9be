// The two readings behind a window's visible frame that user32 alone does not
// give: the compositor's frame and the window rectangle in physical pixels.
// They sit in the recorded-call table (user32_calls.h) beside user32's own.
#pragma once

#include <windows.h>

namespace brumelis {

// DWMWA_EXTENDED_FRAME_BOUNDS in dwmapi.h.
inline constexpr DWORD kExtendedFrameBounds = 9;

// DwmGetWindowAttribute from a dwmapi.dll loaded on first use: E_NOTIMPL
// where there is none (before Vista; Wine has it and answers E_NOTIMPL too).
HRESULT WINAPI DwmWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size);

// The window rectangle in physical pixels, read with the thread briefly
// per-monitor aware. FALSE where that reading would tell nothing new (the
// program already per-monitor aware) or the system cannot make it (before
// Windows 10 1607): the caller's rectangle is then physical enough.
BOOL WINAPI PhysicalWindowRect(HWND window, RECT* rect);

}  // namespace brumelis
