// Sessions the toolbar cannot work in: it says why, on its error output and
// in a box where one can be shown, and ends with a failure status; it never
// crashes and never ends silently.
#include "tests/x11/e2e/toolbar_program.h"
#include "tests/x11/support/wait.h"

#include <gtest/gtest.h>
#include <sys/syscall.h>

#include <cstdlib>
#include <fstream>

namespace brumelis::x11_tests {
namespace {

struct Session {
    const char* name;
    std::map<std::string, std::string> environment;
    const char* says;  // part of the message
    bool showsABox;    // GTK can still open this display
};

void PrintTo(const Session& row, std::ostream* out) {
    *out << row.name;
}

class Refusal : public testing::TestWithParam<Session> {};

TEST_P(Refusal, SaysWhyAndEnds) {
    const Session& row = GetParam();
    XSession x;
    ASSERT_TRUE(x.Opened());
    ToolbarProgram brumelis(x, row.environment);
    ASSERT_TRUE(brumelis.Started());
    if (row.showsABox) {
        const XWindowId box = brumelis.WaitForBox();
        ASSERT_NE(0u, box) << "no box; running: " << brumelis.IsRunning()
                           << "; said: " << brumelis.ErrorOutput();
        EXPECT_EQ("Brumelis", x.Title(box).value_or(""));
        EXPECT_EQ(0u, brumelis.Toolbar());
        ASSERT_TRUE(x.ActivateAndWait(box));
        x.Key("Return");
    }
    ASSERT_TRUE(brumelis.WaitForExit());
    EXPECT_EQ(1, brumelis.ExitCode().value_or(-1)) << "a failure status, not a crash";
    EXPECT_NE(std::string::npos, brumelis.ErrorOutput().find(row.says)) << brumelis.ErrorOutput();
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, Refusal,
    testing::Values(Session{"WithoutDisplay",
                            {{"DISPLAY", ""}},
                            "la variable DISPLAY n'est pas définie",
                            false},
                    Session{"UnreachableDisplay", {{"DISPLAY", ":97"}}, "« :97 »", false},
                    // Xwayland gives Wayland sessions a DISPLAY too: the box shows there.
                    Session{"Wayland",
                            {{"WAYLAND_DISPLAY", "wayland-97"}, {"XDG_SESSION_TYPE", "wayland"}},
                            "Wayland ne permet pas",
                            true}),
    [](const auto& row) { return std::string(row.param.name); });

// Asleep between two looks at the display: before GTK opens, nothing else
// of the program sleeps.
bool Sleeping(pid_t pid) {
    long call = -1;
    std::ifstream(("/proc/" + std::to_string(pid) + "/syscall").c_str()) >> call;
    return call == SYS_clock_nanosleep || call == SYS_nanosleep;
}

// A program started with the session, before its window manager: it waits
// quietly and shows its tile once the manager is up. session-test.sh starts the
// manager when the file BRUMELIS_X11_WM_AFTER names is made.
TEST(LateWindowManager, TheTileShowsOnceTheManagerIsUp) {
    const char* managerWanted = std::getenv("BRUMELIS_X11_WM_AFTER");
    if (managerWanted == nullptr)
        GTEST_SKIP() << "run by session-test.sh x11 with BRUMELIS_X11_WM_AFTER";
    XSession x;
    ToolbarProgram brumelis(x);
    ASSERT_TRUE(WaitUntil([&] { return Sleeping(brumelis.Pid()) || !brumelis.IsRunning(); },
                          Milliseconds{20000}) &&
                brumelis.IsRunning())
        << "gave up: " << brumelis.ErrorOutput();
    std::ofstream(managerWanted) << "now\n";
    ASSERT_TRUE(WaitUntil([&] { return brumelis.Toolbar() != 0; }, Milliseconds{25000}))
        << "running: " << brumelis.IsRunning();
    EXPECT_EQ(std::string::npos, brumelis.ErrorOutput().find("brumelis:")) << "waited quietly";
    const auto driver = scenarios::MakeDriver();  // on a window the manager frames
    const scenarios::WindowId target = driver->OpenTarget("Cible A", {200, 150, 400, 300});
    ASSERT_TRUE(driver->BringToForeground(target));
    EXPECT_TRUE(WaitUntil([&] { return driver->VisibleFrame(brumelis.Toolbar()).top == 150; }));
}

}  // namespace
}  // namespace brumelis::x11_tests
