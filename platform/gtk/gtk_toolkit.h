// The form toolkit over GTK 3 on X11: builds the form from its layout, runs
// the GLib main loop and delivers the form's events, one handler at a time.
#pragma once

#include <functional>
#include <memory>

#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/gtk/gtk_form.h"
#include "platform/gtk/gtk_placement.h"

namespace brumelis {

class GtkToolkit final : public FormToolkit {
public:
    // GTK must be initialised on the display the placement serves (X11 by
    // default). Builds the windows, unmapped; throws std::runtime_error when
    // an image cannot be decoded.
    explicit GtkToolkit(const FormLayout& layout,
                        std::unique_ptr<ToplevelPlacement> placement = MakeX11Placement());

    GtkForm& Window() override { return form_; }

    // Starts the timers, delivers Load and shows the toolbar without
    // activating it. The caller then runs the main loop (Run does).
    void Start(FormEvents& events);
    // Start, then the main loop; the program ends through End.
    int Run(FormEvents& events) override;

    MessageAnswer ShowMessage(const Text& text, MessageButtons buttons,
                              const Text& title = Text()) override;
    void DoEvents() override;
    void Shortcut(ShortcutId shortcut) override { form_.Input().Shortcut(shortcut); }
    [[noreturn]] void End() override;
    // Runs in End, before the process goes: what the program must undo in
    // other processes (a script loaded into the compositor).
    void BeforeEnd(std::function<void()> undo) { beforeEnd_ = std::move(undo); }

private:
    Text applicationTitle_;
    std::function<void()> beforeEnd_;
    GtkForm form_;
};

}  // namespace brumelis
