// The conformance suite over the simulated desktop.
#include "platform/fake/fake_desktop.h"
#include "tests/platform/window_system_conformance.h"

namespace brumelis::platform_tests {
namespace {

class FakeWindowBackend final : public WindowBackend {
public:
    WindowSystem& Calls() override { return desktop_; }
    WindowHandle CreateTestWindow(const Text& title, ScreenRect rect, bool visible) override {
        return desktop_.AddWindow(title, rect, visible);
    }
    void DestroyTestWindow(WindowHandle hWnd) override { desktop_.RemoveWindow(hWnd); }
    bool MakeForeground(WindowHandle hWnd) override {
        desktop_.SetForeground(hWnd);
        return true;
    }
    bool IsVisible(WindowHandle hWnd) override {
        return desktop_.Exists(hWnd) && desktop_.Get(hWnd).visible;
    }
    std::optional<std::uint8_t> Alpha(WindowHandle hWnd) override {
        return desktop_.Exists(hWnd) ? desktop_.Get(hWnd).alpha : std::nullopt;
    }

private:
    FakeDesktop desktop_;
};

std::unique_ptr<WindowBackend> MakeFakeBackend() {
    return std::make_unique<FakeWindowBackend>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(FakeDesktop, WindowSystemConformance, ::testing::Values(&MakeFakeBackend));

}  // namespace brumelis::platform_tests
