// Window messages of the toolbar's windows, translated for the form's input:
// presses, releases, moves, capture, the button's click and the timer's tick.
// Painting of the picture panels lives here too, as the other half of their
// window procedure.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/form_controls.h"
#include "platform/win32/display_scale.h"
#include "platform/win32/panel_image.h"
#include "platform/win32/start_failure.h"
#include "platform/win32/win32_form.h"

namespace brumelis {

namespace {

int PressedButton(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP: return 1;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_RBUTTONUP: return 2;
        default: return 4;
    }
}

// While the mouse is captured, positions may lie outside the control and be
// negative: they are signed 16-bit values, in the monitor's pixels.
PointerInput Translate(ControlId control, int button, WPARAM keys, LPARAM point, UINT dpi) {
    const unsigned alt = ::GetKeyState(VK_MENU) < 0 ? kAltKey : 0;
    return PointerInput{control, button, static_cast<unsigned>(keys) | alt,
                        FromDevicePixels(GET_X_LPARAM(point), dpi),
                        FromDevicePixels(GET_Y_LPARAM(point), dpi)};
}

bool IsPointerOver(HWND hwnd, LPARAM point) {
    POINT screen{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ::ClientToScreen(hwnd, &screen);
    return ::WindowFromPoint(screen) == hwnd;
}

}  // namespace

LRESULT CALLBACK Win32Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* control =
            static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        control->hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    auto* control = reinterpret_cast<Control*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (control == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return control->form->HandleMessage(*control, message, wParam, lParam);
}

LRESULT Win32Form::HandleMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool isPanel = control.id != kFormWindowId;
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            ::GetClientRect(control.hwnd, &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, control.background);
            return 1;
        }
        case WM_PAINT: Paint(control); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            if (!isPanel) break;
            input_.Press(Translate(control.id, PressedButton(message), wParam, lParam, dpi_));
            if (message == WM_LBUTTONDBLCLK) input_.SecondPress(control.id);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (!isPanel) break;
            input_.Release(Translate(control.id, PressedButton(message), wParam, lParam, dpi_),
                           [&] { return IsPointerOver(control.hwnd, lParam); });
            return 0;
        case WM_MOUSEMOVE:
            if (!isPanel) break;
            input_.Move(Translate(control.id, 0, wParam, lParam, dpi_));
            return 0;
        case WM_CAPTURECHANGED: input_.CaptureLost(); return 0;
        case WM_DPICHANGED:
            // The system's suggested rectangle keeps the window's centre; the
            // toolbar keeps its corner on the target's.
            if (!isPanel) Rescale(LOWORD(wParam));
            return 0;
        case WM_COMMAND: OnCommand(wParam, lParam); return 0;
        case WM_GETOBJECT:
            if (const LRESULT answer =
                    AnswerGetObject(control.hwnd, wParam, lParam, control.accessible))
                return answer;
            break;
        case WM_TIMER: OnTimer(wParam); return 0;
        case WM_DESTROY:
            if (!isPanel) ::PostQuitMessage(0);
            break;
        default: break;
    }
    return ::DefWindowProcW(control.hwnd, message, wParam, lParam);
}

// Moves keep coming to the pressed control until every button is up.
void Win32Form::Capture(ControlId control) {
    const HWND hwnd = FindControl(controls_, control).hwnd;
    if (::GetCapture() != hwnd) ::SetCapture(hwnd);
}

void Win32Form::EndCapture(ControlId control) {
    if (::GetCapture() == FindControl(controls_, control).hwnd) ::ReleaseCapture();
}

void Win32Form::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 || HIWORD(wParam) != BN_CLICKED) return;
    const ControlId id = FromNativeId(LOWORD(wParam));
    const ControlLayout* layout = FindLayout(layout_, id);
    if (layout == nullptr || layout->kind != ControlKind::PushButton) return;
    input_.ButtonClicked(id);
}

void Win32Form::OnTimer(WPARAM timerId) {
    const ControlId id = FromNativeId(timerId);
    const ControlLayout* layout = FindLayout(layout_, id);
    if (layout == nullptr || layout->kind != ControlKind::Timer) return;
    input_.Tick(id);
}

bool Win32Form::MoveFocusOnTab(const MSG& message) {
    const HWND toolbar = ToolbarWindow();
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || tabOrder_.empty() ||
        (message.hwnd != toolbar && !::IsChild(toolbar, message.hwnd))) {
        return false;
    }
    const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
    const auto focused = std::find(tabOrder_.begin(), tabOrder_.end(), ::GetFocus());
    std::ptrdiff_t next = 0;
    if (::GetKeyState(VK_SHIFT) < 0) {
        next = focused == tabOrder_.end() ? count - 1
                                          : (focused - tabOrder_.begin() + count - 1) % count;
    } else if (focused != tabOrder_.end()) {
        next = (focused - tabOrder_.begin() + 1) % count;
    }
    ::SetFocus(tabOrder_[static_cast<std::size_t>(next)]);
    return true;
}

void Win32Form::Paint(Control& control) {
    if (!control.image && control.imageId != kNoImage) {
        try {
            control.image = LoadPanelImage(instance_, control.imageId);
        } catch (const SystemRefusal& failure) {
            // As a start that fails: the panel cannot be shown without it.
            ::MessageBoxW(ToolbarWindow(), Wide(StartFailureText(failure)),
                          Wide(layout_.applicationTitle), MB_OK | MB_ICONERROR);
            ::ExitProcess(static_cast<UINT>(failure.Code()));
        }
    }
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(control.hwnd, &paint);
    if (control.image) {
        RECT client;
        ::GetClientRect(control.hwnd, &client);
        DrawFilling(dc, control.image.get(), client.right, client.bottom);
    }
    ::EndPaint(control.hwnd, &paint);
}

}  // namespace brumelis
