// The user32 calls the window system makes, and the few of kernel32 and
// advapi32 beside them, as one table: the program runs on the system's own;
// the backend's tests put recorders in their place and check the sequences
// call by call (Wine cannot refuse, the recorders can).
#pragma once

#include <windows.h>

#include "base/core_types.h"

namespace brumelis {

struct User32Calls {
    HWND(WINAPI* getForegroundWindow)();
    BOOL(WINAPI* getWindowRect)(HWND, RECT*);
    // The compositor's frame and the physical rectangle (frame_bounds.h).
    HRESULT(WINAPI* dwmGetWindowAttribute)(HWND, DWORD, void*, DWORD);
    BOOL(WINAPI* getPhysicalWindowRect)(HWND, RECT*);
    HWND(WINAPI* getWindow)(HWND, UINT);
    int(WINAPI* getWindowTextA)(HWND, LPSTR, int);
    LONG(WINAPI* getWindowLongA)(HWND, int);
    // SetWindowLongA of the extended style, made without waiting for the
    // window's thread (deferred_style_writes.h).
    void (*setExtendedStyleLater)(HWND, LONG);
    // SetLayeredWindowAttributes, applied after such a write still under way.
    BOOL (*setLayeredWindowAttributes)(HWND, COLORREF, BYTE, DWORD);
    BOOL(WINAPI* setWindowPos)(HWND, HWND, int, int, int, int, UINT);
    HWND(WINAPI* setActiveWindow)(HWND);
    DWORD(WINAPI* getWindowThreadProcessId)(HWND, DWORD*);
    HWINEVENTHOOK(WINAPI* setWinEventHook)
    (DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
    BOOL(WINAPI* unhookWinEvent)(HWINEVENTHOOK);
    // Fails for a window that draws itself with UpdateLayeredWindow.
    BOOL(WINAPI* getLayeredWindowAttributes)(HWND, COLORREF*, BYTE*, DWORD*);
    // The integrity level of a window's process (window_rights.h).
    HANDLE(WINAPI* openProcess)(DWORD, BOOL, DWORD);
    BOOL(WINAPI* openProcessToken)(HANDLE, DWORD, HANDLE*);
    BOOL(WINAPI* getTokenInformation)(HANDLE, TOKEN_INFORMATION_CLASS, void*, DWORD, DWORD*);
    BOOL(WINAPI* closeHandle)(HANDLE);
};

// user32 itself, with the two mends above.
const User32Calls& SystemUser32();

}  // namespace brumelis
