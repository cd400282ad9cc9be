// What every Win32 backend file needs: RAII for GDI objects, conversions of
// handles and texts at the boundary, and the one way a system refusal is
// thrown.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "base/core_types.h"
#include "platform/win32/system_refusal.h"

namespace brumelis {

// A system refusal whose code is always an HRESULT, so that the exit status
// it becomes means one thing; `what` names the call that failed.
[[noreturn]] inline void ThrowResult(HRESULT result, const char* what) {
    throw SystemRefusal(result, what);
}

// The calling thread's last error, as an HRESULT; E_FAIL when the system gave
// no code, so that a failure never reads as success.
[[noreturn]] inline void ThrowLastError(const char* what) {
    const DWORD error = ::GetLastError();
    ThrowResult(error == ERROR_SUCCESS ? E_FAIL : HRESULT_FROM_WIN32(error), what);
}

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Text is UTF-16 on Windows");

inline const wchar_t* Wide(const Text& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

inline Text FromWide(const wchar_t* characters, int count) {
    return Text(reinterpret_cast<const char16_t*>(characters), static_cast<std::size_t>(count));
}

// Win64 handles fit in 32 bits; sign extension gives back the same handle.
inline HWND ToHwnd(WindowHandle handle) {
    return static_cast<HWND>(LongToHandle(handle));
}
inline WindowHandle ToWindowHandle(HWND hwnd) {
    return HandleToLong(hwnd);
}

struct GdiObjectDeleter {
    void operator()(void* object) const { ::DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

}  // namespace brumelis
