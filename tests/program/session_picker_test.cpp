// The choice of a desktop backend: the first that runs, else the first
// reason given, else the desktops that work; and the X11 desktop's own
// answers for the sessions it cannot see as its own.
#include "program/session_picker.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include <string>
#include <vector>

#include "base/utf8_text.h"
#include "program/sway_desktop.h"
#include "program/x11_desktop.h"

namespace brumelis {
namespace {

int NeverRun(const SessionEnvironment&, int&, char**&) {
    return 99;
}

// Only the message for a session no backend serves says this.
const char* const kDesktopsThatWork =
    "Ouvrez une session sway, KDE Plasma ou GNOME sous Wayland, ou une session X11 (Xorg) avec "
    "un gestionnaire de fenêtres compatible EWMH : Xfce, MATE, Cinnamon, Openbox, i3";

// The backend's name, or what the user is told.
std::string Outcome(const BackendChoice& choice) {
    return choice.backend != nullptr ? choice.backend->name : Utf8FromText(choice.problem);
}

TEST(SessionPicker, TheOrderAndEachAnswerDecide) {
    using Session = const SessionEnvironment&;
    const DesktopBackend first{"first", [](Session) { return Fit::Runs(); }, NeverRun};
    const DesktopBackend second{"second", [](Session) { return Fit::Runs(); }, NeverRun};
    const DesktopBackend other{"other", [](Session) { return Fit::NotThisSession(); }, NeverRun};
    const DesktopBackend lacksA{"lacksA", [](Session) { return Fit::CannotRun(u"A manque"); },
                                NeverRun};
    const DesktopBackend lacksB{"lacksB", [](Session) { return Fit::CannotRun(u"B manque"); },
                                NeverRun};
    const DesktopBackend starting{"starting", [](Session) { return Fit::NotReadyYet(u"pas prêt"); },
                                  NeverRun};
    const struct {
        const char* reason;
        std::vector<DesktopBackend> backends;
        const char* outcome;  // a name, or part of the message
    } rows[] = {
        {"another session's backend is passed over", {other, first}, "first"},
        {"the first that runs wins", {first, second}, "first"},
        {"a later backend that runs beats an earlier reason", {lacksA, first}, "first"},
        {"with none running, the first reason is told", {other, lacksA, lacksB}, "A manque"},
        {"no backend serves the session", {other}, kDesktopsThatWork},
        {"no backend at all", {}, kDesktopsThatWork},
        {"a desktop still starting holds back the rows after it", {starting, first}, "pas prêt"},
        {"an earlier row that runs is not held back", {first, starting}, "first"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_NE(std::string::npos,
                  Outcome(PickBackend(row.backends, SessionEnvironment{})).find(row.outcome));
    }
}

// A desktop that is ready from its Nth question on.
int asksBeforeReady = 0;
int asks = 0;
Fit ReadyAfterAsks(const SessionEnvironment&) {
    return ++asks > asksBeforeReady ? Fit::Runs() : Fit::NotReadyYet(u"toujours pas prêt");
}

TEST(SessionPicker, AStartingDesktopIsAwaitedWithinThePatience) {
    using std::chrono::milliseconds;
    const std::vector<DesktopBackend> desktops{{"late", ReadyAfterAsks, NeverRun}};
    const struct {
        const char* reason;
        int asksBeforeReady;
        milliseconds patience;
        const char* outcome;
        milliseconds slept;
    } rows[] = {
        {"ready at once: no wait", 0, milliseconds(1000), "late", milliseconds(0)},
        {"ready at the third question", 2, milliseconds(1000), "late", milliseconds(500)},
        {"never ready: told after the whole patience", 100, milliseconds(1000), "toujours pas prêt",
         milliseconds(1000)},
        {"no patience: told at once", 100, milliseconds(0), "toujours pas prêt", milliseconds(0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        asks = 0;
        asksBeforeReady = row.asksBeforeReady;
        milliseconds slept{0};
        const BackendChoice choice =
            AwaitBackend(desktops, SessionEnvironment{}, row.patience, milliseconds(250),
                         [&slept](milliseconds pause) { slept += pause; });
        EXPECT_EQ(Outcome(choice), row.outcome);
        EXPECT_EQ(slept.count(), row.slept.count());
    }
}

TEST(SessionPicker, TheDesktopNamesAreReadWhole) {
    const struct {
        const char* names;
        const char* asked;
        bool named;
    } rows[] = {
        {"KDE", "KDE", true},
        {"ubuntu:GNOME", "GNOME", true},
        {"GNOME-Classic:GNOME", "GNOME", true},
        {"GNOME-Classic", "GNOME", false},
        {"", "sway", false},
    };
    for (const auto& row : rows) {
        SessionEnvironment session;
        session.currentDesktop = row.names;
        EXPECT_EQ(session.NamesDesktop(row.asked), row.named) << row.names << " / " << row.asked;
    }
}

TEST(SessionPicker, TheX11DesktopRefusesWhatItCannotServe) {
    const struct {
        const char* reason;
        SessionEnvironment session;
        const char* says;
    } rows[] = {
        {"Xwayland gives a DISPLAY, Wayland is still the session",
         {":59998", "wayland-0", "", ""},
         kDesktopsThatWork},
        {"the session type alone says Wayland", {":59998", "", "wayland", ""}, kDesktopsThatWork},
        {"no DISPLAY", {"", "", "tty", ""}, "la variable DISPLAY n'est pas définie"},
        {"a display nobody serves", {":59999", "", "x11", ""}, "« :59999 »"},
    };
    const std::vector<DesktopBackend> x11Only{X11Desktop()};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_NE(std::string::npos, Outcome(PickBackend(x11Only, row.session)).find(row.says));
    }
}

// A socket that accepts connections, as sway's does, and nothing more.
class ListeningSocket {
public:
    ListeningSocket() {
        char directory[] = "/tmp/brumelis-picker.XXXXXX";
        directory_ = mkdtemp(directory);
        path_ = directory_ + "/ipc.sock";
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
        descriptor_ = socket(AF_UNIX, SOCK_STREAM, 0);
        bind(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        listen(descriptor_, 4);
    }
    ~ListeningSocket() {
        close(descriptor_);
        unlink(path_.c_str());
        rmdir(directory_.c_str());
    }
    const std::string& Path() const { return path_; }

private:
    std::string directory_, path_;
    int descriptor_ = -1;
};

TEST(SessionPicker, SwayRunsWhereItsSocketAnswersInAWaylandSession) {
    const ListeningSocket sway;
    const std::vector<DesktopBackend> desktops{SwayDesktop(), X11Desktop()};
    const struct {
        const char* reason;
        SessionEnvironment session;
        const char* picked;  // null: none, the desktops that work are named
    } rows[] = {
        {"a Wayland session whose SWAYSOCK answers",
         {"", "wayland-1", "wayland", sway.Path()},
         "sway"},
        {"Xwayland beside it changes nothing", {":0", "wayland-1", "", sway.Path()}, "sway"},
        {"a SWAYSOCK left from an earlier sway",
         {"", "wayland-1", "wayland", "/nonexistent/s"},
         nullptr},
        {"no SWAYSOCK: another compositor", {"", "wayland-1", "wayland", ""}, nullptr},
        {"an X11 session that inherited SWAYSOCK", {":59999", "", "x11", sway.Path()}, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const BackendChoice choice = PickBackend(desktops, row.session);
        if (row.picked == nullptr) {
            EXPECT_TRUE(choice.backend == nullptr || std::string(choice.backend->name) != "sway");
        } else {
            ASSERT_NE(choice.backend, nullptr);
            EXPECT_STREQ(choice.backend->name, row.picked);
        }
    }
}

}  // namespace
}  // namespace brumelis
