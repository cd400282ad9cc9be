// The virtual pointer gives headless sway real input: checked first on a
// plain GTK button, before any suite relies on it.
#include <gtest/gtest.h>

#include "tests/sway/sway_desktop.h"

namespace brumelis::sway_tests {
namespace {

TEST(VirtualPointer, AClickReachesAPlainGtkButton) {
    VirtualPointer* pointer = VirtualPointer::Shared();
    ASSERT_TRUE(pointer) << "no virtual pointer";
    auto target = LineProcess::Start({BRUMELIS_SWAY_TARGET, "--title=Bouton"});
    ASSERT_TRUE(target && target->WaitForLine("shown")) << "the target window did not show";
    const auto window = AwaitWindowTitled("Bouton");
    ASSERT_TRUE(window) << "sway does not list the target";
    const Box rect = BoxOf((*window)["rect"]);

    ASSERT_TRUE(pointer->Click(rect.x + rect.width / 2, rect.y + rect.height / 2));

    EXPECT_TRUE(target->WaitForLine("clicked", std::chrono::seconds(5)))
        << "the click at the button's centre did not reach it: " << rect.x << "," << rect.y << " "
        << rect.width << "x" << rect.height << " now " << (*AwaitWindowTitled("Bouton"))["rect"];
}

}  // namespace
}  // namespace brumelis::sway_tests
