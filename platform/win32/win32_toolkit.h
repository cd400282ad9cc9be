// The form toolkit over user32: builds the form from its layout, runs the
// message loop and delivers the form's events, one handler at a time.
#pragma once

#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/win32/win32_form.h"

namespace brumelis {

class Win32Toolkit final : public FormToolkit {
public:
    // Creates the hidden owner and the toolbar, hidden; throws
    // SystemRefusal when the system refuses a window.
    Win32Toolkit(HINSTANCE instance, const FormLayout& layout);

    FormWindow& Window() override { return form_; }
    // The message loop runs until the toolbar is destroyed.
    int Run(FormEvents& events) override;

    MessageAnswer ShowMessage(const Text& text, MessageButtons buttons,
                              const Text& title = Text()) override;
    void DoEvents() override;
    void Shortcut(ShortcutId shortcut) override { form_.Input().Shortcut(shortcut); }
    [[noreturn]] void End() override;

private:
    Text applicationTitle_;
    Win32Form form_;
};

}  // namespace brumelis
