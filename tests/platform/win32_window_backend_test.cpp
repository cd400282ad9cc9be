// The conformance suite over user32, with top-level popups that the test
// makes in its own process: under Wine here, unchanged on Windows.
#include <vector>

#include "platform/win32/win32_support.h"
#include "platform/win32/win32_window_system.h"
#include "tests/platform/window_system_conformance.h"
#include "tests/support/win32_wait.h"

namespace brumelis::platform_tests {

using namespace test_support;
namespace {

constexpr wchar_t kTestWindowClass[] = L"BrumelisConformanceWindow";

class Win32WindowBackend final : public WindowBackend {
public:
    Win32WindowBackend() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = kTestWindowClass;
        ::RegisterClassExW(&windowClass);  // fails harmlessly when already there
    }
    ~Win32WindowBackend() override {
        for (HWND hwnd : windows_) ::DestroyWindow(hwnd);
        PumpMessagesFor(Milliseconds{0});
    }

    WindowSystem& Calls() override { return calls_; }

    WindowHandle CreateTestWindow(const Text& title, ScreenRect rect, bool visible) override {
        // A bare popup: no frame, so the window rectangle is the one asked
        // for, and no extended style bits of its own.
        const HWND hwnd = ::CreateWindowExW(
            0, kTestWindowClass, Wide(title), WS_POPUP, rect.left, rect.top, rect.right - rect.left,
            rect.bottom - rect.top, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        if (hwnd == nullptr) return 0;
        windows_.push_back(hwnd);
        if (visible) ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        PumpMessagesFor(Milliseconds{0});
        return ToWindowHandle(hwnd);
    }

    void DestroyTestWindow(WindowHandle window) override {
        const HWND hwnd = ToHwnd(window);
        for (auto it = windows_.begin(); it != windows_.end(); ++it) {
            if (*it != hwnd) continue;
            ::DestroyWindow(hwnd);
            windows_.erase(it);
            return;
        }
    }

    bool MakeForeground(WindowHandle window) override {
        const HWND hwnd = ToHwnd(window);
        ::SetForegroundWindow(hwnd);
        return WaitUntil([&] { return ::GetForegroundWindow() == hwnd; });
    }

    bool IsVisible(WindowHandle window) override {
        return ::IsWindowVisible(ToHwnd(window)) != FALSE;
    }

    bool KeptAbove(WindowHandle window) override {
        return (::GetWindowLongW(ToHwnd(window), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }

    std::optional<std::uint8_t> Alpha(WindowHandle window) override {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        if (!::GetLayeredWindowAttributes(ToHwnd(window), &key, &alpha, &flags) ||
            (flags & LWA_ALPHA) == 0) {
            return std::nullopt;
        }
        return alpha;
    }

    bool UnderWine() const override {
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }

private:
    Win32WindowSystem calls_;
    std::vector<HWND> windows_;
};

std::unique_ptr<WindowBackend> MakeWin32Backend() {
    return std::make_unique<Win32WindowBackend>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Win32, WindowSystemConformance, ::testing::Values(&MakeWin32Backend));

}  // namespace brumelis::platform_tests
