// The keys on Windows: system-wide hot keys (RegisterHotKey) on a
// message-only window of the toolbar's thread, whose WM_HOTKEY the
// toolkit's loop dispatches like any message.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/key_source.h"

namespace brumelis {

class Win32KeySource final : public KeySource {
public:
    // Throws a SystemRefusal when the window cannot be made.
    explicit Win32KeySource(HINSTANCE instance);
    ~Win32KeySource() override;
    Win32KeySource(const Win32KeySource&) = delete;
    Win32KeySource& operator=(const Win32KeySource&) = delete;

    TakeAnswer Take(ShortcutId shortcut, const KeyChord& chord) override;
    Text SuperKeyName() const override { return u"Windows"; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<int> registered_;
};

}  // namespace brumelis
