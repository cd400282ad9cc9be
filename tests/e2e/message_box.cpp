#include "tests/e2e/message_box.h"

#include <algorithm>

#include "tests/e2e/mouse_input.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using namespace test_support;

std::vector<int> MessageBoxContents::ButtonIds() const {
    std::vector<int> ids;
    for (const DialogButton& button : buttons) ids.push_back(button.id);
    return ids;
}

const DialogButton* MessageBoxContents::Button(int id) const {
    for (const DialogButton& button : buttons)
        if (button.id == id) return &button;
    return nullptr;
}

HWND FindMessageBox(DWORD processId) {
    for (HWND window : TopLevelWindowsOf(processId))
        if (ClassName(window) == L"#32770" && IsWindowVisible(window)) return window;
    return nullptr;
}

HWND WaitForMessageBox(DWORD processId, Milliseconds timeout) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindMessageBox(processId)) != nullptr; }, timeout);
    return dialog;
}

MessageBoxContents ReadMessageBox(HWND dialog) {
    MessageBoxContents box;
    box.dialog = dialog;
    box.title = WindowText(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        const std::wstring className = ClassName(child);
        if (lstrcmpiW(className.c_str(), L"Button") == 0) {
            box.buttons.push_back({GetDlgCtrlID(child), child});
            // The dialog manager marks the default button by its style.
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) box.defaultId = GetDlgCtrlID(child);
        } else if (lstrcmpiW(className.c_str(), L"Static") == 0) {
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if ((style & SS_TYPEMASK) == SS_ICON) {
                box.showsIcon = box.showsIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
            } else if (!WindowText(child).empty()) {
                box.text += WindowText(child);
            }
        }
    }
    std::sort(box.buttons.begin(), box.buttons.end(),
              [](const DialogButton& a, const DialogButton& b) {
                  return WindowRect(a.window).left < WindowRect(b.window).left;
              });
    return box;
}

bool PressButton(const MessageBoxContents& box, int id) {
    const DialogButton* button = box.Button(id);
    return button != nullptr && ClickOn(button->window, WindowRect(button->window).Centre());
}

}  // namespace brumelis::e2e
