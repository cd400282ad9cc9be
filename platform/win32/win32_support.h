// What every Win32 backend file needs: <windows.h> without the macros that
// clash with the portable interfaces, RAII for GDI objects, and conversions of
// handles, texts and twips at the boundary.
//
// Backend files include <windows.h> only through this header: windows.h
// defines macros (GWL_EXSTYLE, HWND_TOPMOST, MessageBox, ...) with the names
// the portable interfaces declare, so those interfaces are read first.
#pragma once

#include <cmath>
#include <memory>
#include <type_traits>

#include "base/core_types.h"
#include "platform/form_toolkit.h"
#include "platform/window_system.h"

#include <windows.h>

// FormToolkit::MessageBox is the toolkit's own operation; user32's function is
// called by its full name, MessageBoxW.
#undef MessageBox

namespace brumelis {

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

inline int ToPixels(Twips twips) {
    return static_cast<int>(std::lround(twips / static_cast<Twips>(kTwipsPerPixel)));
}
inline Twips ToTwips(int pixels) {
    return static_cast<Twips>(pixels * kTwipsPerPixel);
}

struct GdiObjectDeleter {
    void operator()(void* object) const { ::DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

}  // namespace brumelis
