#include "platform/win32/win32_toolkit.h"

namespace brumelis {

Win32Toolkit::Win32Toolkit(HINSTANCE instance, const FormLayout& layout)
    : applicationTitle_(layout.applicationTitle), form_(instance, layout, *this) {}

int Win32Toolkit::Run(FormEvents& events) {
    form_.Input().Start(events);
    // Started first, so that ticks also run in the load handler's DoEvents.
    form_.StartTimers();
    form_.Input().Load();
    form_.Show();
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form_.MoveFocusOnTab(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

MessageAnswer Win32Toolkit::ShowMessage(const Text& text, MessageButtons buttons,
                                        const Text& title) {
    const UINT style = buttons == MessageButtons::YesNo ? MB_YESNO | MB_DEFBUTTON1 : MB_OK;
    // A box enables its owner again when it closes. Before the toolbar is
    // first shown it is disabled by the start-up check and must stay so: the
    // box then belongs to the hidden owner.
    const HWND toolbar = form_.ToolbarWindow();
    const HWND owner = ::IsWindowVisible(toolbar) ? toolbar : form_.OwnerWindow();
    const int answer =
        ::MessageBoxW(owner, Wide(text), Wide(title.empty() ? applicationTitle_ : title), style);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDNO ? MessageAnswer::No : MessageAnswer::Yes;
}

void Win32Toolkit::DoEvents() {
    const ScopedCount open = form_.Input().LetPendingEventsRun();
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the main loop, which ends on it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (form_.MoveFocusOnTab(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void Win32Toolkit::End() {
    ::ExitProcess(0);
}

}  // namespace brumelis
