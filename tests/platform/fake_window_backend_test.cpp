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
    void DestroyTestWindow(WindowHandle window) override { desktop_.RemoveWindow(window); }
    bool MakeForeground(WindowHandle window) override {
        desktop_.SetForeground(window);
        return true;
    }
    bool IsVisible(WindowHandle window) override {
        return desktop_.Exists(window) && desktop_.Get(window).visible;
    }
    bool KeptAbove(WindowHandle window) override { return desktop_.IsTopmost(window); }
    std::optional<std::uint8_t> Alpha(WindowHandle window) override {
        return desktop_.Exists(window) ? desktop_.Get(window).opacity : std::nullopt;
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
