// The conformance suite over the X server, Openbox and target programs.
#include "tests/platform/window_system_conformance.h"
#include "tests/x11/x11_window_backend.h"

namespace brumelis::platform_tests {
namespace {

std::unique_ptr<WindowBackend> MakeX11Backend() {
    return std::make_unique<x11_tests::X11WindowBackend>();
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(X11Desktop, WindowSystemConformance, ::testing::Values(&MakeX11Backend));

}  // namespace brumelis::platform_tests
