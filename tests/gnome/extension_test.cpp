// Brumelis's extension in a real Shell: any program but Brumelis is refused
// and changes nothing; with the extension off, the program says what to do.
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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

// An impostor: another program (gdbus) copied under Brumelis's name into a
// folder of its own. Its D-Bus error, empty when it was served.
std::string CallAsImpostor(const std::string& impostor, const std::string& call) {
    FILE* out =
        popen((impostor + " call --session --dest org.gnome.Shell --object-path " +
               "/example/zolvec/Brumelis --method example.zolvec.Brumelis1." + call + " 2>&1")
                  .c_str(),
              "r");
    std::string said(4096, '\0');
    said.resize(out != nullptr ? std::fread(said.data(), 1, said.size(), out) : 0);
    if (out != nullptr) pclose(out);
    const std::size_t at = said.find("org.freedesktop.DBus.Error.");
    return at == std::string::npos ? "" : said.substr(at, said.find(':', at) - at);
}

TEST_F(GnomeExtension, RefusesAnyOtherProgramAndChangesNothing) {
    char folder[] = "/tmp/brumelis-impostor-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string impostor = std::string(folder) + "/brumelis", window = std::to_string(id_);
    ASSERT_EQ(std::system(("cp \"$(command -v gdbus)\" " + impostor).c_str()), 0);
    // The test program too is refused: it is not the installed file either.
    for (const std::string& call : {std::string("Follow"), "KeepAbove " + window + " true",
                                    "SetOpacity " + window + " 64", "Activate " + window}) {
        EXPECT_EQ(CallAsImpostor(impostor, call), "org.freedesktop.DBus.Error.AccessDenied")
            << call << " from " << impostor;
    }
    EXPECT_EQ(shell_.CallBrumelis("Follow", ""), "org.freedesktop.DBus.Error.AccessDenied");
    std::remove(impostor.c_str());
    rmdir(folder);
    const auto seen = shell_.Window(id_);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(seen->focused && !seen->above && !seen->opacity);
}

std::string Read(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(GnomeExtension, ProgramSaysHowToEnableItWhenItIsOff) {
    ASSERT_TRUE(shell_.SetBrumelisEnabled(false));
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
    EXPECT_TRUE(shell_.SetBrumelisEnabled(true));
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
