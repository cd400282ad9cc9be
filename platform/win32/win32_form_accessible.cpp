// The toolbar's controls as screen readers see them: the layout's role, name,
// description and default action, and the slider's value, kept with each
// control and handed out by its window on WM_GETOBJECT
// (control_accessible.h). The pin button is user32's own window: a
// subclass answers for it.
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include "platform/form_controls.h"
#include "platform/win32/win32_form.h"

namespace brumelis {

namespace {

// MSAA has no toggle button of its own: the red square is a push button.
LONG SystemRole(AccessibleRole role) {
    return role == AccessibleRole::Slider ? ROLE_SYSTEM_SLIDER : ROLE_SYSTEM_PUSHBUTTON;
}

}  // namespace

void Win32Form::DescribeControl(Control& control, ControlKind kind) {
    for (const AccessibleText& text : layout_.accessible) {
        if (text.id != control.id) continue;
        auto facts = std::make_shared<AccessibleFacts>();
        facts->role = SystemRole(text.role);
        facts->name = text.name;
        facts->description = text.description;
        facts->action = text.action;
        // As the follower will find it until it says otherwise.
        if (text.role == AccessibleRole::Slider) facts->value = 100;
        control.accessible = std::move(facts);
    }
    if (control.accessible && kind == ControlKind::PushButton)
        ::SetWindowSubclass(control.hwnd, &Win32Form::ButtonProc, 0,
                            reinterpret_cast<DWORD_PTR>(&control));
}

LRESULT CALLBACK Win32Form::ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) noexcept {
    if (message == WM_GETOBJECT) {
        const auto* control = reinterpret_cast<const Control*>(data);
        if (const LRESULT answer = AnswerGetObject(hwnd, wParam, lParam, control->accessible))
            return answer;
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &Win32Form::ButtonProc, 0);
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

// Readers listening to events hear each change once.
void Win32Form::SetAccessibleValue(ControlId slider, int percent) {
    const Control& control = FindControl(controls_, slider);
    if (!control.accessible || control.accessible->value == percent) return;
    control.accessible->value = percent;
    NotifyValueChanged(control.hwnd);
}

}  // namespace brumelis
