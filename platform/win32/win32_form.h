// The toolbar's native windows, built from a FormLayout: a hidden owner that
// bears the caption too (so that a running instance shows two matching
// windows), the borderless popup, its child controls and its timers. The
// handlers see them through FormWindow; window messages come back as form
// events through a FormEventDispatcher.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "platform/form_event_dispatcher.h"
#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/win32/system_refusal.h"
#include "platform/win32/win32_support.h"

namespace brumelis {

class Win32Form final : public FormWindow {
public:
    // Creates every window hidden; throws SystemRefusal when the system
    // refuses one.
    Win32Form(HINSTANCE instance, const FormLayout& layout, FormEventDispatcher& dispatcher);
    ~Win32Form() override;
    Win32Form(const Win32Form&) = delete;
    Win32Form& operator=(const Win32Form&) = delete;

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
    Twips Width() const override;
    Twips Height() const override;
    void SetWidth(Twips width) override;
    void SetHeight(Twips height) override;
    void Move(Twips left, Twips top, std::optional<Twips> width = std::nullopt,
              std::optional<Twips> height = std::nullopt) override;
    void SetEnabled(bool enabled) override;
    ControlGeometry Geometry(ControlId control) const override;
    Text ButtonCaption(ControlId button) const override;
    void SetButtonCaption(ControlId button, const Text& caption) override;
    void SetTimerRunning(ControlId timer, bool running) override;

private:
    // One native window of the form; its address is the window's user data.
    struct Control {
        ControlId id = kFormWindowId;
        Win32Form* form = nullptr;
        HWND hwnd = nullptr;
        HBRUSH background = nullptr;  // a system colour brush or ownedBrush
        UniqueBrush ownedBrush;
        UniqueBitmap image;
    };
    // A left press waits for its release over the same control to be a click;
    // the second press of a double click makes that click a double click too.
    struct LeftPress {
        ControlId control;
        bool secondPress;
    };

    // win32_controls.cpp: building the windows.
    void RegisterClasses() const;
    void CreateToolbar();
    void CreateControl(const ControlLayout& layout);
    void ArrangeOrder();
    const ControlLayout* FindLayout(ControlId id) const;
    const Control& Find(ControlId id) const;

    // win32_form_window.cpp: geometry in twips.
    RECT OuterRect() const;
    void Place(const RECT& current, int left, int top, int width, int height);

    // win32_form_events.cpp: window messages to form events.
    // noexcept: user32 called it, and no exception may unwind through user32;
    // events reach the handlers through DeliverEvent, which stops them.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleMessage(Control& control, UINT message, WPARAM wParam, LPARAM lParam);
    void OnButtonDown(const Control& control, UINT message, WPARAM keys, LPARAM point);
    void OnButtonUp(const Control& control, UINT message, WPARAM keys, LPARAM point);
    void OnMouseMove(const Control& control, WPARAM keys, LPARAM point);
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnTimer(WPARAM timerId);
    void Paint(const Control& control);

    HINSTANCE instance_;
    FormLayout layout_;
    FormEventDispatcher& dispatcher_;
    HWND owner_ = nullptr;
    std::map<ControlId, Control> controls_;  // the form window itself under kFormWindowId
    std::vector<HWND> tabOrder_;
    std::set<ControlId> runningTimers_;
    std::optional<LeftPress> leftPress_;
    bool releasingCapture_ = false;
};

// Child window identifiers and timer identifiers both derive from ControlId.
inline int NativeId(ControlId id) {
    return static_cast<int>(id) + 1;
}
inline ControlId FromNativeId(UINT_PTR nativeId) {
    return static_cast<ControlId>(nativeId - 1);
}

}  // namespace brumelis
