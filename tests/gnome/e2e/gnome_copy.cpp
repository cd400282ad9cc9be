#include "tests/gnome/e2e/gnome_copy.h"

#include <glib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/accessible_tree.h"
#include "tests/support/wait.h"

extern char** environ;

namespace brumelis::gnome_tests {

namespace {

using namespace std::chrono_literals;

const std::string kToolbarCaption = "BrumelisZOLVEC";

bool WaitFor(const std::function<bool()>& condition) {
    return test_support::WaitUntil(condition, 5000ms, [] { g_usleep(10000); });
}

}  // namespace

GnomeCopy::GnomeCopy(TestShell& shell, std::set<std::uint32_t>& toolbars)
    : shell_(shell), toolbars_(toolbars) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        if (entry.rfind("LC_", 0) != 0 && entry.rfind("LANG", 0) != 0) variables.push_back(entry);
    }
    variables.push_back("LC_ALL=C.UTF-8");
    std::vector<char*> environment;
    for (std::string& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    // BRUMELIS_PROGRAM_FILE: an installed program instead of this build's.
    const char* file = g_getenv("BRUMELIS_PROGRAM_FILE");
    std::string program = file != nullptr ? file : BRUMELIS_PROGRAM;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environment.data()) == 0)
        pid_ = pid;
}

GnomeCopy::~GnomeCopy() {
    if (pid_ > 0 && IsRunning()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool GnomeCopy::IsRunning() {
    if (pid_ <= 0 || exitCode_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

bool GnomeCopy::WaitForExit() {
    return test_support::WaitUntil([&] { return !IsRunning(); }, 20000ms, [] { g_usleep(10000); });
}

scenarios::WindowId GnomeCopy::Toolbar() {
    const auto toolbar = shell_.WindowOf(static_cast<std::uint32_t>(pid_), kToolbarCaption);
    if (!toolbar) return 0;
    toolbars_.insert(toolbar->id);
    return toolbar->id;
}

std::optional<std::string> GnomeCopy::PinCaption() {
    return test_support::PushButtonName(pid_, kToolbarCaption);
}

std::optional<scenarios::MessageBoxReading> GnomeCopy::Box() {
    for (const ShellWindow& window : shell_.Windows()) {
        if (window.pid != static_cast<std::uint32_t>(pid_) || window.title == kToolbarCaption)
            continue;
        scenarios::MessageBoxReading reading;
        reading.window = window.id;
        reading.title = window.title;
        return reading;
    }
    return std::nullopt;
}

bool GnomeCopy::Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) {
    if (answer == scenarios::Answer::Other) return false;
    shell_.Activate(static_cast<std::uint32_t>(box.window));
    if (!WaitFor([&] { return shell_.Focused() == box.window; })) return false;
    constexpr unsigned kReturn = 0xff0d, kAlt = 0xffe9, kY = 0x79, kN = 0x6e;
    const auto tap = [&](unsigned key) {
        shell_.Key(key, true);
        shell_.Key(key, false);
    };
    if (answer == scenarios::Answer::Ok) {
        tap(kReturn);
    } else {
        shell_.Key(kAlt, true);
        tap(answer == scenarios::Answer::Yes ? kY : kN);
        shell_.Key(kAlt, false);
    }
    return true;
}

}  // namespace brumelis::gnome_tests
