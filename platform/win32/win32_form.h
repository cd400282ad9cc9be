// The toolbar's native windows, built from a FormLayout: a hidden owner that
// bears the caption too (so that a running instance shows two matching
// windows), the borderless popup, its child controls and its timers. The
// handlers see them through FormWindow; window messages, translated, go to
// the form's input.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "platform/form_input.h"
#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/pixel_form_window.h"
#include "platform/win32/control_accessible.h"
#include "platform/win32/system_refusal.h"
#include "platform/win32/win32_support.h"

namespace brumelis {

class Win32Form final : public PixelFormWindow, private PointerCapture {
public:
    // Creates every window hidden; throws SystemRefusal when the system
    // refuses one. The toolkit reports the handlers' failures.
    Win32Form(HINSTANCE instance, const FormLayout& layout, FormToolkit& toolkit);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

    FormInput& Input() { return input_; }
    HWND OwnerWindow() const { return owner_; }
    HWND ToolbarWindow() const;
    void StartTimers();
    // Shown without taking the foreground from the window the toolbar serves.
    void Show();
    // Tab and shift+tab move the focus along the tab order; true when the
    // message was such a key for one of the form's windows and is consumed.
    bool MoveFocusOnTab(const MSG& message);

    WindowHandle Handle() const override;
    Text Caption() const override;
    void SetEnabled(bool enabled) override;
    void StayAbove() override;
    Text ButtonCaption(ControlId button) const override;
    void SetButtonCaption(ControlId button, const Text& caption) override;
    void SetAccessibleValue(ControlId slider, int percent) override;
    void SetTimerRunning(ControlId timer, bool running) override;

private:
    // One native window of the form; its address is the window's user data.
    struct Control {
        ControlId id = kFormWindowId;
        Win32Form* form = nullptr;
        HWND hwnd = nullptr;
        HBRUSH background = nullptr;  // a system colour brush or ownedBrush
        UniqueBrush ownedBrush;
        // Decoded when the panel is first drawn: only the unfolded panel
        // shows an image, and OLE and its decoder were most of the start.
        ImageId imageId = kNoImage;
        UniqueBitmap image;
        // What screen readers read of it; none where the layout says nothing.
        std::shared_ptr<AccessibleFacts> accessible;
    };
    // win32_controls.cpp: building the windows.
    void RegisterClasses() const;
    void CreateToolbar();
    void CreateControl(const ControlLayout& layout);
    void ArrangeOrder();
    // The button's font at the form's scale: the system's own at its scale.
    HFONT ButtonFont();
    // WM_DPICHANGED: the same top-left corner, every window sized anew.
    void Rescale(UINT dpi);

    // win32_form_accessible.cpp: the controls as screen readers see them.
    void DescribeControl(Control& control, ControlKind kind);
    static LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR data) noexcept;

    // win32_form_window.cpp: geometry in pixels.
    PixelRect OuterRect() const override;
    void Place(const PixelRect& wanted) override;
    std::optional<PixelRect> ControlRect(ControlId control) const override;

    // win32_form_events.cpp: window messages to the form's input.
    // noexcept: user32 called it, and no exception may unwind through user32;
    // events reach the handlers through FormInput, which stops them.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnTimer(WPARAM timerId);
    void Capture(ControlId control) override;
    void EndCapture(ControlId control) override;
    void Paint(Control& control);

    HINSTANCE instance_;
    // The dots per inch of the toolbar's monitor (display_scale.h).
    UINT dpi_;
    UniqueFont scaledFont_;
    FormInput input_;
    HWND owner_ = nullptr;
    std::map<ControlId, Control> controls_;  // the form window itself under kFormWindowId
    std::vector<HWND> tabOrder_;
    std::set<ControlId> runningTimers_;
};

// Mouse messages keep alt out of their key state: the translation reads it
// from the keyboard and puts it at a bit they leave free.
inline constexpr unsigned kAltKey = 0x8000;
inline constexpr NativeStateBits kMouseStateBits{MK_LBUTTON, MK_RBUTTON, MK_MBUTTON,
                                                 MK_SHIFT,   MK_CONTROL, kAltKey};

// Child window identifiers and timer identifiers both derive from ControlId.
inline int NativeId(ControlId id) {
    return static_cast<int>(id) + 1;
}
inline ControlId FromNativeId(UINT_PTR nativeId) {
    return static_cast<ControlId>(nativeId - 1);
}

}  // namespace brumelis
