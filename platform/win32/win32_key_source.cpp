#include "platform/win32/win32_key_source.h"

#include "platform/win32/win32_support.h"

namespace brumelis {

namespace {

constexpr wchar_t kKeysClass[] = L"BrumelisKeys";

UINT VirtualKey(Key key) {
    switch (key) {
        case Key::PageUp: return VK_PRIOR;
        case Key::PageDown: return VK_NEXT;
        case Key::Home: return VK_HOME;
    }
    return static_cast<UINT>(key);  // a letter's key is its upper case
}

UINT Modifiers(unsigned modifiers) {
    // Held down, a key would toggle the pin over and over.
    UINT native = MOD_NOREPEAT;
    if (modifiers & kSuperModifier) native |= MOD_WIN;
    if (modifiers & kControlModifier) native |= MOD_CONTROL;
    if (modifiers & kShiftModifier) native |= MOD_SHIFT;
    if (modifiers & kAltModifier) native |= MOD_ALT;
    return native;
}

}  // namespace

Win32KeySource::Win32KeySource(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kKeysClass;
    if (::RegisterClassExW(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        ThrowLastError("RegisterClassExW (keys)");
    window_ = ::CreateWindowExW(0, kKeysClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                nullptr);
    if (window_ == nullptr) ThrowLastError("CreateWindowExW (keys)");
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32KeySource::~Win32KeySource() {
    for (const int id : registered_) ::UnregisterHotKey(window_, id);
    ::DestroyWindow(window_);
}

TakeAnswer Win32KeySource::Take(ShortcutId shortcut, const KeyChord& chord) {
    const int id = static_cast<int>(shortcut);
    if (::RegisterHotKey(window_, id, Modifiers(chord.modifiers), VirtualKey(chord.key))) {
        registered_.push_back(id);
        return TakeAnswer::kTaken;
    }
    return ::GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED ? TakeAnswer::kTakenByOther
                                                               : TakeAnswer::kUnsupported;
}

LRESULT CALLBACK Win32KeySource::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message == WM_HOTKEY) {
        auto* source =
            reinterpret_cast<Win32KeySource*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (source != nullptr)
            source->Press(static_cast<ShortcutId>(static_cast<std::int32_t>(wParam)));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brumelis
