#include "platform/win32/user32_calls.h"

#include "platform/win32/deferred_style_writes.h"
#include "platform/win32/frame_bounds.h"

namespace brumelis {

namespace {

void SetExtendedStyleLater(HWND window, LONG style) {
    DeferredStyleWrites::Instance().Write(window, style);
}

BOOL SetLayeredWindowAttributesAfterWrites(HWND window, COLORREF key, BYTE alpha, DWORD flags) {
    // After a style write still under way; its worker applies the last one.
    if (DeferredStyleWrites::Instance().DeferAlpha(window, key, alpha, flags)) return TRUE;
    return ::SetLayeredWindowAttributes(window, key, alpha, flags);
}

}  // namespace

const User32Calls& SystemUser32() {
    static const User32Calls calls{
        &::GetForegroundWindow, &::GetWindowRect,       &DwmWindowAttribute,
        &PhysicalWindowRect,    &::GetWindow,           &::GetWindowTextA,
        &::GetWindowLongA,      &SetExtendedStyleLater, &SetLayeredWindowAttributesAfterWrites,
        &::SetWindowPos,        &::SetActiveWindow,     &::GetWindowThreadProcessId,
        &::SetWinEventHook,     &::UnhookWinEvent,      &::GetLayeredWindowAttributes,
        &::OpenProcess,         &::OpenProcessToken,    &::GetTokenInformation,
        &::CloseHandle,
    };
    return calls;
}

}  // namespace brumelis
