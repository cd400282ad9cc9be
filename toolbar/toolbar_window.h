// Form1: the toolbar window, owner of the shared state, and its event handlers.
// The handlers live in one file per concern: start-up and folding here, the
// follower, the pin command and the transparency control beside it.
#pragma once

#include "platform/form_toolkit.h"
#include "platform/window_system.h"

namespace brumelis {

class Form1 : public FormEvents {
public:
    Form1(WindowSystem& windows, FormToolkit& toolkit, FormWindow& window);

    // FormEvents: routes each event to its control's handler.
    void Load() override;
    void Tick(ControlId timer) override;
    void Click(ControlId control) override;
    void DoubleClick(ControlId control) override;
    void MouseDown(ControlId control, const MouseEvent& event) override;
    void MouseMove(ControlId control, const MouseEvent& event) override;

    // The fold/unfold toggle, an operation of the window other handlers call.
    void Picture3_Click();

    // Shared state, read by tests.
    WindowHandle TargetWindow() const { return hwndTarget; }
    WindowHandle LastTargetWindow() const { return hwndLastTarget; }
    const Text& PinnedList() const { return sPinned; }

private:
    void Form_Load();
    void Collapse();
    void Picture3_DblClick();
    void Timer1_Timer();
    void Command2_Click();
    void Picture2_MouseMove(const MouseEvent& event);
    void Picture2_DblClick();
    void Picture1_Click();
    void MakeLayered(WindowHandle hWnd);
    void SetOpacity(WindowHandle hWnd, std::uint8_t alpha);

    WindowSystem& windows_;
    FormToolkit& toolkit_;
    FormWindow& window_;

    WindowHandle hwndTarget = 0;
    Text sPinned;
    WindowHandle hwndLastTarget = 0;
};

}  // namespace brumelis
