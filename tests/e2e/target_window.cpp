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

// Grey at half alpha (premultiplied), the window's whole look.
void PaintItsOwnAlpha(HWND window, const Rect& place) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = place.width;
    info.bmiHeader.biHeight = -place.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        auto* pixels = static_cast<DWORD*>(bits);
        for (int i = 0; i < place.width * place.height; ++i) pixels[i] = 0x80404040;
        HGDIOBJ old = SelectObject(memory, bitmap);
        POINT origin{place.left, place.top};
        POINT source{0, 0};
        SIZE size{place.width, place.height};
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        UpdateLayeredWindow(window, screen, &origin, &size, memory, &source, 0, &blend, ULW_ALPHA);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

}  // namespace

TargetWindow::TargetWindow(const std::wstring& title, const Rect& place, Paint paint) {
    RegisterClassOnce(&TargetWindow::Procedure);
    // No system menu: a stray click on its icon would hold the driver in the
    // menu's modal loop.
    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
    const DWORD exStyle = paint == Paint::ItsOwnAlpha ? WS_EX_LAYERED : 0;
    window_ = CreateWindowExW(exStyle, kClassName, title.c_str(), kStyle, place.left, place.top,
                              place.width, place.height, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (paint == Paint::ItsOwnAlpha) PaintItsOwnAlpha(window_, place);
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
