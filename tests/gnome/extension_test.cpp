// Brumelis's extension in a real Shell: any program but Brumelis is refused
// and changes nothing; with the extension off, the program says what to do.
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "tests/gnome/test_shell.h"
#include "tests/support/line_process.h"
#include "tests/support/wait.h"

namespace brumelis::gnome_tests {
namespace {

using namespace std::chrono_literals;
using test_support::LineProcess;

bool WaitUntil(const std::function<bool()>& condition) {
    return test_support::WaitUntil(condition, 5000ms, [] { g_usleep(20000); });
}

bool SetExtension(bool enabled) {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    GVariant* answer = g_dbus_connection_call_sync(
        bus, "org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Extensions",
        enabled ? "EnableExtension" : "DisableExtension",
        g_variant_new("(s)", "brumelis@zolvec.example"), nullptr, G_DBUS_CALL_FLAGS_NONE, 5000,
        nullptr, nullptr);
    g_object_unref(bus);
    if (answer != nullptr) g_variant_unref(answer);
    return answer != nullptr;
}

class GnomeExtension : public testing::Test {
protected:
    void SetUp() override {
        target_ = LineProcess::Start({BRUMELIS_TARGET, "--title=Cible"});
        ASSERT_TRUE(target_ && target_->WaitForLine("shown"));
        ASSERT_TRUE(WaitUntil([&] {
            const auto window =
                shell_.WindowOf(static_cast<std::uint32_t>(target_->Pid()), "Cible");
            return window && window->focused && (id_ = window->id) != 0;
        }));
    }

    TestShell shell_;
    std::unique_ptr<LineProcess> target_;
    std::uint32_t id_ = 0;
};

TEST_F(GnomeExtension, RefusesAnyOtherProgramAndChangesNothing) {
    const std::string window = "uint32 " + std::to_string(id_);
    const struct {
        const char* method;
        std::string arguments;
    } calls[] = {{"Follow", ""},
                 {"KeepAbove", "(" + window + ", true)"},
                 {"SetOpacity", "(" + window + ", byte 0x40)"},
                 {"Activate", "(" + window + ",)"}};
    for (const auto& call : calls) {
        EXPECT_EQ(shell_.CallBrumelis(call.method, call.arguments),
                  "org.freedesktop.DBus.Error.AccessDenied")
            << call.method;
    }
    const auto seen = shell_.Window(id_);
    ASSERT_TRUE(seen);
    EXPECT_FALSE(seen->above);
    EXPECT_FALSE(seen->opacity);
}

std::string Read(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(GnomeExtension, ProgramSaysHowToEnableItWhenItIsOff) {
    ASSERT_TRUE(SetExtension(false));
    const std::string errors = "/tmp/brumelis-gnome-errors-" + std::to_string(getpid());
    const pid_t program = fork();
    if (program == 0) {
        freopen(errors.c_str(), "w", stderr);
        execl(BRUMELIS_PROGRAM, BRUMELIS_PROGRAM, nullptr);
        _exit(127);
    }
    // It tells the terminal, then shows the same in a box and waits there.
    const bool told = WaitUntil([&] {
        return shell_.WindowOf(static_cast<std::uint32_t>(program), "Brumelis").has_value();
    });
    kill(program, SIGKILL);
    waitpid(program, nullptr, 0);
    const std::string said = Read(errors);
    std::remove(errors.c_str());
    EXPECT_TRUE(SetExtension(true));
    EXPECT_TRUE(told) << "no box";
    EXPECT_NE(said.find(u8"« gnome-extensions enable brumelis@zolvec.example »"), std::string::npos)
        << said;
    // Served again once enabled: another program is refused, not ignored.
    EXPECT_TRUE(WaitUntil([&] {
        return shell_.CallBrumelis("Follow", "") == "org.freedesktop.DBus.Error.AccessDenied";
    }));
}

}  // namespace
}  // namespace brumelis::gnome_tests
