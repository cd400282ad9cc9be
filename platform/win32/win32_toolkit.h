// The form toolkit over user32: builds the form from its layout, runs the
// message loop and delivers the form's events, one handler at a time.
#pragma once

#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/win32/startup_lock.h"
#include "platform/win32/win32_form.h"

namespace brumelis {

class Win32Toolkit final : public FormToolkit {
public:
    // Creates the hidden owner and the toolbar, hidden; throws
    // SystemRefusal when the system refuses a window. The start-up lock,
    // when given, is released once the load handler has returned or is about
    // to show a message box: its instance check is done by then.
    Win32Toolkit(HINSTANCE instance, const FormLayout& layout, StartupLock* startup = nullptr);

    FormWindow& Window() { return form_; }

    // Starts the timers, delivers Load, shows the toolbar without activating
    // it, then runs the message loop until the toolbar is destroyed.
    int Run(FormEvents& events);

    MessageAnswer ShowMessage(const Text& text, MessageButtons buttons,
                              const Text& title = Text()) override;
    void DoEvents() override;
    [[noreturn]] void End() override;

private:
    Text applicationTitle_;
    StartupLock* startup_;
    Win32Form form_;
};

}  // namespace brumelis
