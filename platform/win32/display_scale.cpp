// The DPI functions come from user32 at run time: Windows 7 and 8 lack
// them, and the program still runs there, system aware.
#include "platform/win32/display_scale.h"

namespace brumelis {

namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE(_V2) in windef.h (Windows 10 1607
// and 1703).
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

using SetProcessContext = BOOL(WINAPI*)(HANDLE);
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);

template <typename Function>
Function FromUser32(const char* name) {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

}  // namespace

void BecomeDpiAware() {
    // Wine 8 refuses v2 (error 87) and takes v1.
    if (const auto setContext = FromUser32<SetProcessContext>("SetProcessDpiAwarenessContext")) {
        if (setContext(kPerMonitorAwareV2) || setContext(kPerMonitorAware)) return;
        // Refused as already set (by the manifest): nothing to fall back to.
        if (::GetLastError() == ERROR_ACCESS_DENIED) return;
    }
    ::SetProcessDPIAware();
}

UINT SystemDpi() {
    static const UINT dpi = [] {
        HDC screen = ::GetDC(nullptr);
        const int value = screen == nullptr ? 0 : ::GetDeviceCaps(screen, LOGPIXELSX);
        if (screen != nullptr) ::ReleaseDC(nullptr, screen);
        return value > 0 ? static_cast<UINT>(value) : kDefaultDpi;
    }();
    return dpi;
}

UINT WindowDpi(HWND window) {
    static const auto forWindow = FromUser32<GetDpiForWindowCall>("GetDpiForWindow");
    const UINT dpi = forWindow == nullptr ? 0 : forWindow(window);
    return dpi == 0 ? SystemDpi() : dpi;
}

}  // namespace brumelis
