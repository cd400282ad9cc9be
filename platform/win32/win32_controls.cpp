// Building the toolbar's windows from the layout: window classes, the hidden
// owner, the popup, its children in creation order and their tab order.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "platform/form_controls.h"
#include "platform/pixels.h"
#include "platform/win32/display_scale.h"
#include "platform/win32/panel_image.h"
#include "platform/win32/win32_form.h"
#include "resources/resource_ids.h"

namespace brumelis {

namespace {

constexpr wchar_t kOwnerClass[] = L"BrumelisOwner";
constexpr wchar_t kFormClass[] = L"BrumelisForm";
// CS_DBLCLKS: the second press of a double click arrives as WM_LBUTTONDBLCLK.
constexpr wchar_t kPanelClass[] = L"BrumelisPicture";

HBRUSH ResolveBrush(const Color& color, UniqueBrush& owned) {
    switch (color.kind) {
        case Color::Kind::SystemWindow: return ::GetSysColorBrush(COLOR_WINDOW);
        case Color::Kind::SystemWindowText: return ::GetSysColorBrush(COLOR_WINDOWTEXT);
        case Color::Kind::Rgb: break;
    }
    owned.reset(::CreateSolidBrush(color.rgb));
    return owned.get();
}

HMENU ChildMenuId(ControlId id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(NativeId(id)));
}

}  // namespace

Win32Form::Win32Form(HINSTANCE instance, const FormLayout& layout, FormToolkit& toolkit)
    : PixelFormWindow(layout),
      instance_(instance),
      dpi_(SystemDpi()),
      input_(toolkit, *this, kMouseStateBits) {
    // Loads comctl32 so that the manifest's version 6 gives the button its look.
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    RegisterClasses();
    owner_ = ::CreateWindowExW(0, kOwnerClass, Wide(layout_.caption), WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, instance_, nullptr);
    if (owner_ == nullptr) ThrowLastError("CreateWindowExW (owner)");
    CreateToolbar();
    for (const ControlLayout& control : layout_.controls) CreateControl(control);
    ArrangeOrder();
    // Made at the system's scale; a first monitor of another scale (a
    // secondary screen as the only one) sizes it again.
    const UINT dpi = WindowDpi(ToolbarWindow());
    if (dpi != dpi_) Rescale(dpi);
}

Win32Form::~Win32Form() {
    // The owned toolbar and its children go with their owner.
    ::DestroyWindow(owner_);
}

void Win32Form::RegisterClasses() const {
    HICON icon = ::LoadIconW(instance_, MAKEINTRESOURCEW(IDI_BRUMELIS));
    auto registerClass = [&](const wchar_t* name, UINT style, WNDPROC procedure) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = style;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance_;
        windowClass.hIcon = icon;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = name;
        if (::RegisterClassExW(&windowClass) == 0 &&
            ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            ThrowLastError("RegisterClassExW");
        }
    };
    registerClass(kOwnerClass, 0, ::DefWindowProcW);
    registerClass(kFormClass, 0, &Win32Form::WindowProc);
    registerClass(kPanelClass, CS_DBLCLKS, &Win32Form::WindowProc);
}

void Win32Form::CreateToolbar() {
    Control& toolbar = controls_[kFormWindowId];
    toolbar.id = kFormWindowId;
    toolbar.form = this;
    toolbar.background = ::GetSysColorBrush(COLOR_WINDOW);
    // Borderless and owned: no frame, no caption bar, no taskbar button.
    ::CreateWindowExW(0, kFormClass, Wide(layout_.caption), WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                      ToDevicePixels(ToPixels(layout_.width), dpi_),
                      ToDevicePixels(ToPixels(layout_.height), dpi_), owner_, nullptr, instance_,
                      &toolbar);
    if (toolbar.hwnd == nullptr) ThrowLastError("CreateWindowExW (toolbar)");
}

void Win32Form::CreateControl(const ControlLayout& layout) {
    if (layout.kind == ControlKind::Timer) return;
    const HWND parent = FindControl(controls_, layout.container).hwnd;
    Control& control = controls_[layout.id];
    control.id = layout.id;
    control.form = this;
    const int left = ToDevicePixels(ToPixels(layout.left), dpi_);
    const int top = ToDevicePixels(ToPixels(layout.top), dpi_);
    const int width = ToDevicePixels(ToPixels(layout.width), dpi_);
    const int height = ToDevicePixels(ToPixels(layout.height), dpi_);
    const DWORD tabStop = layout.tabIndex >= 0 ? WS_TABSTOP : 0;
    if (layout.kind == ControlKind::PushButton) {
        control.hwnd = ::CreateWindowExW(
            0, WC_BUTTONW, Wide(layout.caption),
            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | tabStop | BS_PUSHBUTTON, left, top, width,
            height, parent, ChildMenuId(layout.id), instance_, nullptr);
        if (control.hwnd == nullptr) ThrowLastError("CreateWindowExW (button)");
        ::SendMessageW(control.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ButtonFont()), FALSE);
        DescribeControl(control, layout.kind);
        return;
    }
    control.background = ResolveBrush(layout.backColor, control.ownedBrush);
    control.imageId = layout.image;
    // The text a panel never draws names it too, where our object for
    // screen readers cannot be made and MSAA's default one answers.
    Text name;
    for (const AccessibleText& text : layout_.accessible)
        if (text.id == layout.id) name = text.name;
    ::CreateWindowExW(0, kPanelClass, Wide(name),
                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | tabStop, left,
                      top, width, height, parent, ChildMenuId(layout.id), instance_, &control);
    if (control.hwnd == nullptr) ThrowLastError("CreateWindowExW (picture)");
    DescribeControl(control, layout.kind);
}

// Siblings overlap (the button's top row lies under the red square's last
// row): the first created stays on top, as dialog controls do. The tab order is
// kept apart from the z-order, in tabIndex order.
void Win32Form::ArrangeOrder() {
    std::map<ControlId, HWND> previousInContainer;
    std::vector<const ControlLayout*> tabbed;
    for (const ControlLayout& layout : layout_.controls) {
        auto control = controls_.find(layout.id);
        if (control == controls_.end()) continue;
        auto previous = previousInContainer.find(layout.container);
        const HWND insertAfter =
            previous == previousInContainer.end() ? HWND_TOP : previous->second;
        ::SetWindowPos(control->second.hwnd, insertAfter, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previousInContainer[layout.container] = control->second.hwnd;
        if (layout.tabIndex >= 0) tabbed.push_back(&layout);
    }
    std::stable_sort(
        tabbed.begin(), tabbed.end(),
        [](const ControlLayout* a, const ControlLayout* b) { return a->tabIndex < b->tabIndex; });
    for (const ControlLayout* layout : tabbed) tabOrder_.push_back(controls_.at(layout->id).hwnd);
}

HFONT Win32Form::ButtonFont() {
    const auto stock = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (dpi_ == SystemDpi()) return stock;
    LOGFONTW font{};
    ::GetObjectW(stock, sizeof font, &font);
    font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi_), static_cast<int>(SystemDpi()));
    font.lfWidth = 0;
    UniqueFont scaled(::CreateFontIndirectW(&font));
    // Without memory for a font the button keeps the system's.
    if (!scaled) return stock;
    scaledFont_ = std::move(scaled);
    return scaledFont_.get();
}

void Win32Form::Rescale(UINT dpi) {
    const PixelRect outer = OuterRect();  // at the former scale
    dpi_ = dpi;
    Place(outer);
    for (const ControlLayout& layout : layout_.controls) {
        const auto control = controls_.find(layout.id);
        if (control == controls_.end()) continue;
        ::SetWindowPos(control->second.hwnd, nullptr, ToDevicePixels(ToPixels(layout.left), dpi_),
                       ToDevicePixels(ToPixels(layout.top), dpi_),
                       ToDevicePixels(ToPixels(layout.width), dpi_),
                       ToDevicePixels(ToPixels(layout.height), dpi_),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        if (layout.kind == ControlKind::PushButton) {
            // The font in use goes only once the button holds the new one.
            UniqueFont former = std::move(scaledFont_);
            ::SendMessageW(control->second.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(ButtonFont()),
                           TRUE);
        }
    }
    ::InvalidateRect(ToolbarWindow(), nullptr, TRUE);
}

HWND Win32Form::ToolbarWindow() const {
    return controls_.at(kFormWindowId).hwnd;
}

void Win32Form::StartTimers() {
    for (const ControlLayout& layout : layout_.controls) {
        if (layout.kind == ControlKind::Timer && !layout.startsStopped)
            SetTimerRunning(layout.id, true);
    }
}

// SetTimer on a running timer would restart its interval: a timer started
// again and again would never tick.
void Win32Form::SetTimerRunning(ControlId timer, bool running) {
    const ControlLayout* layout = FindLayout(layout_, timer);
    if (layout == nullptr || layout->kind != ControlKind::Timer) {
        RaiseInvalidControl();
    }
    if (running == (runningTimers_.count(timer) != 0)) return;
    const auto id = static_cast<UINT_PTR>(NativeId(timer));
    if (running) {
        if (::SetTimer(ToolbarWindow(), id, static_cast<UINT>(layout->timerIntervalMs), nullptr) ==
            0)
            return;
        runningTimers_.insert(timer);
    } else {
        ::KillTimer(ToolbarWindow(), id);
        runningTimers_.erase(timer);
    }
}

void Win32Form::Show() {
    ::ShowWindow(ToolbarWindow(), SW_SHOWNOACTIVATE);
}

}  // namespace brumelis
