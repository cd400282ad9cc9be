// dwmapi.dll is loaded on first use rather than linked: it is missing before
// Vista, and a system that lacks it simply has no invisible borders.
#include "platform/win32/frame_bounds.h"

#include "platform/win32/system_library.h"

namespace brumelis {

namespace {

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE in windef.h (Windows 10 1607).
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
// DPI_AWARENESS_PER_MONITOR_AWARE.
constexpr int kPerMonitorAwareness = 2;

using GetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
using SetThreadDpiContext = HANDLE(WINAPI*)(HANDLE);
using GetThreadDpiContext = HANDLE(WINAPI*)();
using AwarenessOfContext = int(WINAPI*)(HANDLE);

template <typename Function>
Function Find(const wchar_t* module, const char* name, bool load) {
    HMODULE handle = load ? LoadSystemLibrary(module) : ::GetModuleHandleW(module);
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(handle, name)));
}

// The thread's awareness switch, where a switch can tell something: none
// when the program is per-monitor aware already (as it makes itself at
// start), so that the follow tick makes no call for it.
SetThreadDpiContext AwarenessSwitch() {
    const auto set =
        Find<SetThreadDpiContext>(L"user32.dll", "SetThreadDpiAwarenessContext", false);
    const auto get =
        Find<GetThreadDpiContext>(L"user32.dll", "GetThreadDpiAwarenessContext", false);
    const auto awareness =
        Find<AwarenessOfContext>(L"user32.dll", "GetAwarenessFromDpiAwarenessContext", false);
    if (set == nullptr || get == nullptr || awareness == nullptr) return nullptr;
    return awareness(get()) == kPerMonitorAwareness ? nullptr : set;
}

}  // namespace

HRESULT WINAPI DwmWindowAttribute(HWND window, DWORD attribute, void* value, DWORD size) {
    static const auto getAttribute =
        Find<GetWindowAttribute>(L"dwmapi.dll", "DwmGetWindowAttribute", true);
    if (getAttribute == nullptr) return E_NOTIMPL;
    return getAttribute(window, attribute, value, size);
}

BOOL WINAPI PhysicalWindowRect(HWND window, RECT* rect) {
    static const SetThreadDpiContext setContext = AwarenessSwitch();
    if (setContext == nullptr) return FALSE;
    HANDLE previous = setContext(kPerMonitorAware);
    if (previous == nullptr) return FALSE;
    const BOOL read = ::GetWindowRect(window, rect);
    setContext(previous);
    return read;
}

}  // namespace brumelis
