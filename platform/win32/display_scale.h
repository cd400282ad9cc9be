// The toolbar's own window at its monitor's scale. The program is
// per-monitor aware: it reads and places windows in physical pixels, so the
// tile sits on the target's visible corner at any scale, and it draws its
// window at its monitor's dots per inch so that the system does not stretch
// it as a bitmap. The handlers keep their pixels of 96 dots per inch
// (15 twips each): the form converts sizes and mouse positions at its edge.
#pragma once

#include <windows.h>

namespace brumelis {

inline constexpr UINT kDefaultDpi = USER_DEFAULT_SCREEN_DPI;

// Per-monitor aware (v2, else v1), else system aware, whatever the manifest
// managed: some systems read only the first of its entries, others none.
// Before the first window is created; a process already aware stays so.
void BecomeDpiAware();

// The dots per inch of the monitor the window is on; the system's where the
// system cannot tell per window.
UINT WindowDpi(HWND window);
// The system's dots per inch, which its stock fonts are made for.
UINT SystemDpi();

// 96-dpi pixels to the monitor's and back, to the nearest pixel: a size
// scaled up and back is the size again for any scale of 100 % or more.
inline int ToDevicePixels(int pixels, UINT dpi) {
    return dpi == kDefaultDpi ? pixels : ::MulDiv(pixels, static_cast<int>(dpi), kDefaultDpi);
}
inline int FromDevicePixels(int pixels, UINT dpi) {
    return dpi == kDefaultDpi ? pixels : ::MulDiv(pixels, kDefaultDpi, static_cast<int>(dpi));
}

}  // namespace brumelis
