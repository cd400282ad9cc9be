// The conformance suite's backend over the real X server: the calls are the
// X11 window system's, the test windows belong to target programs, and the
// window manager (Openbox in the test environment) acts on them.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/x11/x11_window_system.h"
#include "tests/platform/window_backend.h"
#include "tests/x11/target_process.h"

namespace brumelis::x11_tests {

class X11WindowBackend final : public platform_tests::WindowBackend {
public:
    // Connects to $DISPLAY; Connected() says whether that worked.
    X11WindowBackend();
    ~X11WindowBackend() override;

    bool Connected() const { return display_ != nullptr; }
    Display* Connection() const { return display_; }

    // The events read so far handed to the window system first, as the
    // program's toolkit does with every event it reads.
    WindowSystem& Calls() override;
    WindowHandle CreateTestWindow(const Text& title, ScreenRect rect, bool visible) override;
    void DestroyTestWindow(WindowHandle handle) override;
    bool MakeForeground(WindowHandle handle) override;
    bool IsVisible(WindowHandle handle) override;
    std::optional<std::uint8_t> Alpha(WindowHandle handle) override;
    void Settle() override;

    // A target window of any kind; 0 when it did not come up.
    WindowHandle Start(const TargetOptions& options);
    // The value of a 32-bit property, none when absent or the window is gone.
    std::optional<unsigned long> Cardinal(x11::XWindow window, const char* property);

private:
    bool AwaitProbeExtents();

    Display* display_ = nullptr;
    std::unique_ptr<X11WindowSystem> calls_;
    // A window of the test's own, unmapped, that the window manager answers
    // frame extents for: a request it answers after all those made before.
    x11::XWindow probe_ = 0;
    std::map<WindowHandle, std::unique_ptr<TargetProcess>> targets_;
    // Programs whose window is destroyed, kept until the end of the test so
    // that no new program is given the same window ids.
    std::vector<std::unique_ptr<TargetProcess>> finished_;
};

}  // namespace brumelis::x11_tests
