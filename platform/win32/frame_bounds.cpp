// dwmapi.dll is loaded on first use rather than linked: it is missing before
// Vista, and a system that lacks it simply has no invisible borders.
#include "platform/win32/frame_bounds.h"

#include "platform/visible_frame.h"

namespace brumelis {

namespace {

// DWMWA_EXTENDED_FRAME_BOUNDS in dwmapi.h.
constexpr DWORD kExtendedFrameBounds = 9;
// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE in windef.h (Windows 10 1607).
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

using GetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
using SetThreadDpiContext = HANDLE(WINAPI*)(HANDLE);

template <typename Function>
Function Find(const wchar_t* module, const char* name, bool load) {
    HMODULE handle = load ? ::LoadLibraryW(module) : ::GetModuleHandleW(module);
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(handle, name)));
}

ScreenRect ToScreenRect(const RECT& r) {
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

// The window rectangle in physical pixels: read with the thread briefly
// per-monitor aware, where the system knows that mode; else as it is.
RECT PhysicalWindowRect(HWND window, const RECT& logical) {
    static const auto setContext =
        Find<SetThreadDpiContext>(L"user32.dll", "SetThreadDpiAwarenessContext", false);
    RECT physical = logical;
    if (setContext == nullptr) return physical;
    HANDLE previous = setContext(kPerMonitorAware);
    if (previous == nullptr) return physical;
    if (!::GetWindowRect(window, &physical)) physical = logical;
    setContext(previous);
    return physical;
}

}  // namespace

bool VisibleFrameOf(HWND window, ScreenRect& frame) {
    static const auto getAttribute =
        Find<GetWindowAttribute>(L"dwmapi.dll", "DwmGetWindowAttribute", true);
    if (getAttribute == nullptr) return false;
    RECT bounds{};
    if (FAILED(getAttribute(window, kExtendedFrameBounds, &bounds, sizeof bounds))) return false;
    RECT logical{};
    if (!::GetWindowRect(window, &logical)) return false;
    frame = VisibleFrame(ToScreenRect(logical), ToScreenRect(PhysicalWindowRect(window, logical)),
                         ToScreenRect(bounds));
    return true;
}

}  // namespace brumelis
