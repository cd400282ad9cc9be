// The X11 display check before the toolbar starts: no display, a display
// that cannot be reached, a display without an EWMH window manager.
#include "platform/x11/x11_session.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "base/utf8_text.h"
// Last: Xlib's macros would rename GoogleTest's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace brumelis::x11_tests {
namespace {

// A display of its own with no window manager at all. It must not reset when
// its last client leaves: the next one would find it restarting.
class BareDisplay {
public:
    BareDisplay() {
        int announce[2];
        if (pipe(announce) != 0) return;
        const std::string fd = std::to_string(announce[1]);
        const char* argv[] = {"Xvfb",     "-displayfd", fd.c_str(), "-nolisten",  "tcp",
                              "-noreset", "-screen",    "0",        "320x240x24", nullptr};
        // Its notes about the displays it tried go nowhere.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) !=
            0) {
            pid_ = 0;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(announce[1]);
        // Xvfb writes its number once it accepts clients.
        std::string number;
        pollfd output{announce[0], POLLIN, 0};
        char c = 0;
        while (pid_ != 0 && poll(&output, 1, 10000) > 0 && read(announce[0], &c, 1) == 1 &&
               c != '\n') {
            number.push_back(c);
        }
        close(announce[0]);
        if (!number.empty()) name_ = ":" + number;
    }
    ~BareDisplay() {
        if (pid_ == 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    const std::string& Name() const { return name_; }

private:
    pid_t pid_ = 0;
    std::string name_;
};

enum class Problem { Runs, NoDisplay, CannotConnect, NoWindowManager, Unknown };

// Which message the check gave, from the words that tell them apart.
Problem Classify(const std::optional<Text>& message) {
    if (!message) return Problem::Runs;
    const std::string text = Utf8FromText(*message);
    if (text.find("DISPLAY n'est pas définie") != std::string::npos) return Problem::NoDisplay;
    if (text.find("ne peut pas se connecter") != std::string::npos) return Problem::CannotConnect;
    if (text.find("EWMH") != std::string::npos) return Problem::NoWindowManager;
    return Problem::Unknown;
}

// Only a missing window manager may still come: the program waits for it.
Problem Classify(const std::optional<DisplayProblem>& problem) {
    if (!problem) return Problem::Runs;
    const Problem kind = Classify(std::optional<Text>(problem->message));
    return problem->mayPass == (kind == Problem::NoWindowManager) ? kind : Problem::Unknown;
}

TEST(X11Session, EachMissingPieceHasItsOwnMessage) {
    const char* ours = std::getenv("DISPLAY");
    ASSERT_NE(nullptr, ours);
    const struct {
        const char* reason;
        std::string display;
        Problem expected;
    } rows[] = {
        {"no DISPLAY", "", Problem::NoDisplay},
        {"a display nobody serves", ":59999", Problem::CannotConnect},
        {"the test display, with Openbox", ours, Problem::Runs},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(row.expected, Classify(FindDisplayProblem(row.display)));
    }
}

TEST(X11Session, TheUnreachableDisplayIsNamed) {
    const std::optional<DisplayProblem> problem = FindDisplayProblem(":59999");
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(std::string::npos, Utf8FromText(problem->message).find("« :59999 »"));
}

TEST(X11Session, OnlyALiveCheckWindowShowsAWindowManager) {
    BareDisplay bare;
    ASSERT_FALSE(bare.Name().empty()) << "no Xvfb of our own";
    EXPECT_EQ(Problem::NoWindowManager, Classify(FindDisplayProblem(bare.Name())));

    // What a window manager sets up: a check window named on the root that
    // names itself, and the list of what it supports. Named on the root
    // only, it is one left by a manager that died or one still starting.
    Display* display = XOpenDisplay(bare.Name().c_str());
    ASSERT_NE(nullptr, display);
    const Window root = DefaultRootWindow(display);
    const Window check = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    const Atom atom = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    XChangeProperty(display, root, atom, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&check), 1);
    XSync(display, False);
    EXPECT_EQ(Problem::NoWindowManager, Classify(FindDisplayProblem(bare.Name())));
    EXPECT_EQ(Problem::NoWindowManager, Classify(FindWindowManagerProblem(display)));

    XChangeProperty(display, check, atom, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&check), 1);
    XSync(display, False);
    EXPECT_EQ(Problem::NoWindowManager, Classify(FindDisplayProblem(bare.Name())));
    const Atom supported[] = {XInternAtom(display, "_NET_ACTIVE_WINDOW", False)};
    XChangeProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(supported), 1);
    XSync(display, False);
    EXPECT_EQ(Problem::Runs, Classify(FindDisplayProblem(bare.Name())));
    EXPECT_EQ(Problem::Runs, Classify(FindWindowManagerProblem(display)));

    XDestroyWindow(display, check);  // the manager is gone, its name stays on the root
    XSync(display, False);
    EXPECT_EQ(Problem::NoWindowManager, Classify(FindWindowManagerProblem(display)));
    XCloseDisplay(display);
}

}  // namespace
}  // namespace brumelis::x11_tests
