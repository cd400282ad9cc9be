// Message boxes (dialog class #32770) of another process: found, read back
// and answered with a real click on a button.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/screen_types.h"
#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

struct DialogButton {
    int id = 0;
    HWND window = nullptr;
};

struct MessageBoxContents {
    HWND dialog = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<DialogButton> buttons;  // visible buttons only, left to right
    bool showsIcon = false;
    int defaultId = 0;  // the button drawn as default; 0 when none is

    std::vector<int> ButtonIds() const;
    const DialogButton* Button(int id) const;
};

// The visible message box of that process; null while there is none.
HWND FindMessageBox(DWORD processId);
HWND WaitForMessageBox(DWORD processId,
                       test_support::Milliseconds timeout = test_support::kStartTimeout);
MessageBoxContents ReadMessageBox(HWND dialog);
// Clicks the button with that id; false when it has none or it never came
// under the pointer.
bool PressButton(const MessageBoxContents& box, int id);

}  // namespace brumelis::e2e
