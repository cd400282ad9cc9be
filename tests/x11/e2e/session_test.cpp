// Sessions the toolbar cannot work in: it says why, on its error output and
// in a box where one can be shown, and ends with a failure status; it never
// crashes and never ends silently.
#include "tests/x11/e2e/toolbar_program.h"
#include "tests/x11/support/wait.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace brumelis::x11_tests
