// The GNOME glue figures of docs/benchmarks.md: how long the tile stays off
// the corner of a window the Shell drags (read from the Shell's painted
// frames), the first drag as soon as the tile is on the corner and three
// more 2 s apart; and, for reference, the Shell's own pace with no program
// (the window is its own tile: only the gaps between frames tell).
// Run in the headless Shell (43 on the host, 50 in the forky root):
//   scripts/session-test.sh gnome build/native/bench/gnome/brumelis_gnome_measure
#include <glib.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "tests/gnome/test_shell.h"
#include "tests/scenarios/driver.h"
#include "tests/support/wait.h"

namespace brumelis::gnome_tests {
namespace {

using namespace std::chrono_literals;

// Two seconds of a window dragged 3 px at a time, one step every 16 ms, to
// the right and back.
constexpr int kDrags = 4;
constexpr DragSteps kRight{3, 0, 125, 16}, kLeft{-3, 0, 125, 16};

void Drags(TestShell& shell, std::uint32_t target, std::uint32_t tile) {
    for (int drag = 1; drag <= kDrags; ++drag) {
        if (drag > 1) g_usleep(2000000);
        const std::string seen = shell.Drag(target, tile, drag % 2 == 1 ? kRight : kLeft);
        std::printf("drag %d: %s\n", drag, seen.empty() ? "no answer" : seen.c_str());
        std::fflush(stdout);
    }
}

std::uint32_t OpenTarget(scenarios::Driver& driver) {
    const auto target =
        static_cast<std::uint32_t>(driver.OpenTarget("Cible", {200, 150, 400, 300}));
    return target != 0 && driver.BringToForeground(target) ? target : 0;
}

TEST(Measure, ShellAlone) {
    const auto driver = scenarios::MakeDriver();
    TestShell shell;
    const std::uint32_t target = OpenTarget(*driver);
    ASSERT_NE(target, 0u);
    Drags(shell, target, target);
}

TEST(Measure, GlueStalenessOfDrags) {
    const auto driver = scenarios::MakeDriver();
    TestShell shell;
    const std::uint32_t target = OpenTarget(*driver);
    ASSERT_NE(target, 0u);
    const auto copy = driver->StartCopy();
    ASSERT_TRUE(copy->Started());
    std::uint32_t tile = 0;
    ASSERT_TRUE(test_support::WaitUntil(
        [&] {
            tile = static_cast<std::uint32_t>(copy->Toolbar());
            const auto seen = tile != 0 ? shell.Window(tile) : std::nullopt;
            return seen && seen->x == 200 && seen->y == 150 && shell.Pick(202, 152) == tile;
        },
        20000ms, [] { g_usleep(10000); }));
    Drags(shell, target, tile);
}

}  // namespace
}  // namespace brumelis::gnome_tests
