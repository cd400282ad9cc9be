// Whether the sway row claims a session: a sway started after the program
// (its socket not made yet) is waited for; a socket left in another
// desktop's session is not sway's session.
#include <gtest/gtest.h>

#include "program/sway_desktop.h"
#include "tests/sway/unit/scripted_sway.h"

namespace brumelis::sway_tests {
namespace {

TEST(SwayDetect, WaitsForASwayStillStartingAndLeavesOtherSessionsAlone) {
    ScriptedSway sway("{}");
    const std::string missing = "/nonexistent/sway-ipc.sock";
    struct Case {
        std::string socket;
        std::string desktops;
        Fit::Kind fit;
    };
    const Case cases[] = {
        {sway.Path(), "", Fit::Kind::Runs},        {missing, "", Fit::Kind::NotReadyYet},
        {missing, "sway", Fit::Kind::NotReadyYet}, {missing, "KDE", Fit::Kind::NotThisSession},
        {"", "sway", Fit::Kind::NotThisSession},
    };
    for (const Case& c : cases) {
        const SessionEnvironment session{"", "wayland-1", "wayland", c.socket, c.desktops};
        EXPECT_EQ(SwayDesktop().detect(session).kind, c.fit) << c.socket << " " << c.desktops;
    }
}

}  // namespace
}  // namespace brumelis::sway_tests
