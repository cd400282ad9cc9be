#include "tests/e2e/target_window.h"

#include "tests/support/win32_wait.h"

namespace brumelis::e2e {

using namespace test_support;
namespace {

const wchar_t kClassName[] = L"BrumelisE2eTarget";

void RegisterClassOnce(WNDPROC procedure) {
    static const bool registered = [procedure] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

TargetWindow::TargetWindow(const std::wstring& title, const Rect& place) {
    RegisterClassOnce(&TargetWindow::Procedure);
    // No system menu: a stray click on its icon would hold the driver in the
    // menu's modal loop.
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
    window_ =
        CreateWindowExW(0, kClassName, title.c_str(), kStyle, place.left, place.top, place.width,
                        place.height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    PumpMessagesFor(Milliseconds{0});
}

TargetWindow::~TargetWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    PumpMessagesFor(Milliseconds{0});
}

LRESULT CALLBACK TargetWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TargetWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_LBUTTONDOWN && self != nullptr) ++self->leftPresses_;
    if (message == WM_NCDESTROY && self != nullptr) self->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace brumelis::e2e
