#include "tests/platform/win32_recorded_calls.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "platform/win32/win32_support.h"

namespace brumelis::platform_tests {
namespace {

void Record(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Record(const char* format, ...) {
    char line[160];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    script.calls.emplace_back(line);
}

long H(HWND hwnd) {
    return HandleToLong(hwnd);
}

HWND WINAPI GetForeground() {
    Record("GetForegroundWindow()");
    return ToHwnd(kWindow);
}
BOOL WINAPI GetRect(HWND w, RECT* rect) {
    Record("GetWindowRect(%lx)", H(w));
    *rect = script.rect;
    return script.rectKnown;
}
HRESULT WINAPI GetAttribute(HWND w, DWORD attribute, void* value, DWORD size) {
    Record("DwmGetWindowAttribute(%lx, %lu, %lu)", H(w), attribute, size);
    if (!script.compositorFrame) return E_NOTIMPL;
    *static_cast<RECT*>(value) = *script.compositorFrame;
    return S_OK;
}
BOOL WINAPI GetPhysicalRect(HWND w, RECT* rect) {
    Record("PhysicalWindowRect(%lx)", H(w));
    if (script.physicalRect) *rect = *script.physicalRect;
    return script.physicalRect.has_value();
}
HWND WINAPI GetNext(HWND w, UINT command) {
    Record("GetWindow(%lx, %u)", H(w), command);
    // One window in the level: the first, and nothing after it.
    return command == GW_HWNDFIRST ? ToHwnd(0x5678) : nullptr;
}
int WINAPI GetText(HWND w, LPSTR buffer, int count) {
    const bool untouched = std::string(buffer, 255).find_first_not_of(' ') == std::string::npos;
    Record("GetWindowTextA(%lx, %s, %d)", H(w), untouched ? "255 spaces" : "?", count);
    if (script.title == nullptr) return 0;
    std::strcpy(buffer, script.title);
    return static_cast<int>(std::strlen(script.title));
}
LONG WINAPI GetLong(HWND w, int index) {
    Record("GetWindowLongA(%lx, %d)", H(w), index);
    return script.exStyle;
}
void SetStyleLater(HWND w, LONG style) {
    Record("SetExtendedStyleLater(%lx, %#lx)", H(w), style);
}
BOOL Changed() {
    if (script.changeError == ERROR_SUCCESS) return TRUE;
    SetLastError(script.changeError);
    return FALSE;
}
BOOL SetLayered(HWND w, COLORREF key, BYTE alpha, DWORD flags) {
    Record("SetLayeredWindowAttributes(%lx, %lu, %u, %lu)", H(w), key, alpha, flags);
    return Changed();
}
BOOL WINAPI SetPos(HWND w, HWND after, int x, int y, int cx, int cy, UINT flags) {
    Record("SetWindowPos(%lx, %ld, %d, %d, %d, %d, %#x)", H(w), H(after), x, y, cx, cy, flags);
    return Changed();
}
HWND WINAPI SetActive(HWND w) {
    Record("SetActiveWindow(%lx)", H(w));
    return nullptr;
}

DWORD WINAPI GetThread(HWND w, DWORD* process) {
    Record("GetWindowThreadProcessId(%lx)", H(w));
    *process = script.windowProcess;
    return 0x77;
}
HWINEVENTHOOK WINAPI SetHook(DWORD first, DWORD last, HMODULE module, WINEVENTPROC procedure,
                             DWORD process, DWORD thread, DWORD flags) {
    Record("SetWinEventHook(%#lx, %#lx, %s, %lx, %lx, %lu)", first, last,
           module == nullptr ? "no module" : "a module", process, thread, flags);
    script.hookProcedure = procedure;
    return reinterpret_cast<HWINEVENTHOOK>(static_cast<INT_PTR>(0x100 + script.calls.size()));
}
BOOL WINAPI Unhook(HWINEVENTHOOK hook) {
    Record("UnhookWinEvent(%lx)", static_cast<long>(reinterpret_cast<INT_PTR>(hook)));
    return TRUE;
}

BOOL WINAPI GetLayeredAttributes(HWND w, COLORREF*, BYTE*, DWORD*) {
    Record("GetLayeredWindowAttributes(%lx)", H(w));
    return script.layeredAttributesKnown;
}

// Handles: this process's pseudo-handle, the window's process 0x50, tokens
// 0x60 (ours) and 0x61 (the window's).
constexpr INT_PTR kOtherProcess = 0x50, kOwnToken = 0x60, kOtherToken = 0x61;
HANDLE WINAPI OpenProcessRecorded(DWORD access, BOOL inherit, DWORD id) {
    Record("OpenProcess(%#lx, %d, %lx)", access, inherit, id);
    return reinterpret_cast<HANDLE>(kOtherProcess);
}
BOOL WINAPI OpenTokenRecorded(HANDLE process, DWORD access, HANDLE* token) {
    const bool own = process == GetCurrentProcess();
    Record("OpenProcessToken(%s, %#lx)", own ? "this process" : "its process", access);
    *token = reinterpret_cast<HANDLE>(own ? kOwnToken : kOtherToken);
    return TRUE;
}
// A TOKEN_MANDATORY_LABEL followed by the one SID it points to.
BOOL WINAPI GetTokenRecorded(HANDLE token, TOKEN_INFORMATION_CLASS kind, void* buffer, DWORD size,
                             DWORD* written) {
    const bool own = token == reinterpret_cast<HANDLE>(kOwnToken);
    Record("GetTokenInformation(%s, %d)", own ? "our token" : "its token", kind);
    const std::optional<DWORD> level = own ? script.ownLevel : script.windowLevel;
    if (!level || size < sizeof(TOKEN_MANDATORY_LABEL) + sizeof(SID)) return FALSE;
    auto* label = static_cast<TOKEN_MANDATORY_LABEL*>(buffer);
    auto* sid = reinterpret_cast<SID*>(label + 1);
    *sid = SID{SID_REVISION, 1, SECURITY_MANDATORY_LABEL_AUTHORITY, {*level}};
    label->Label = SID_AND_ATTRIBUTES{sid, SE_GROUP_INTEGRITY};
    *written = sizeof(TOKEN_MANDATORY_LABEL) + sizeof(SID);
    return TRUE;
}
BOOL WINAPI CloseRecorded(HANDLE handle) {
    Record("CloseHandle(%lx)", static_cast<long>(reinterpret_cast<INT_PTR>(handle)));
    return TRUE;
}

}  // namespace

Script script;

const User32Calls& Recorders() {
    static const User32Calls recorders{&GetForeground,
                                       &GetRect,
                                       &GetAttribute,
                                       &GetPhysicalRect,
                                       &GetNext,
                                       &GetText,
                                       &GetLong,
                                       &SetStyleLater,
                                       &SetLayered,
                                       &SetPos,
                                       &SetActive,
                                       &GetThread,
                                       &SetHook,
                                       &Unhook,
                                       &GetLayeredAttributes,
                                       &OpenProcessRecorded,
                                       &OpenTokenRecorded,
                                       &GetTokenRecorded,
                                       &CloseRecorded};
    return recorders;
}

}  // namespace brumelis::platform_tests
