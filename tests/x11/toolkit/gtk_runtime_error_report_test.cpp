// A failure that escapes a handler of the GTK toolkit: the run-time error
// report in a box titled with the application's title, no handler after
// it, then the end of the program once the box is answered. The toolkit
// ends its process, so the toolbar runs in a child run of this program.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "base/failure.h"
#include "platform/gtk/gtk_toolkit.h"
#include "tests/x11/toolkit/failing_handler_child.h"
#include "tests/x11/toolkit/gtk_toolbar_fixture.h"
#include "toolbar/toolbar_layout.h"

extern char** environ;

namespace brumelis::x11_tests {

namespace {

// Fails in its first tick; any handler after that ends the process with a
// code the parent recognises, as no handler may run once the failure is out.
class FailingForm final : public FormEvents {
public:
    void Load() override { Enter(); }
    void Tick(ControlId) override {
        Enter();
        failed_ = true;
        RaiseOverflow(u"ToolbarWindow");
    }
    void Click(ControlId) override { Enter(); }
    void DoubleClick(ControlId) override { Enter(); }
    void MouseDown(ControlId, const MouseEvent&) override { Enter(); }
    void MouseMove(ControlId, const MouseEvent&) override { Enter(); }

private:
    void Enter() const {
        if (failed_) _exit(kHandlerRanAfterFailure);
    }
    bool failed_ = false;
};

class ChildRun {
public:
    ChildRun() {
        char self[] = "/proc/self/exe";
        std::string flag = kFailingHandlerSwitch;
        char* argv[] = {self, flag.data(), nullptr};
        if (posix_spawn(&pid_, self, nullptr, nullptr, argv, environ) != 0) pid_ = -1;
    }
    ~ChildRun() {
        if (pid_ > 0 && Running()) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    ChildRun(const ChildRun&) = delete;
    ChildRun& operator=(const ChildRun&) = delete;

    pid_t Id() const { return pid_; }
    bool Running() {
        if (pid_ <= 0 || exit_ >= 0) return false;
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
        exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    int ExitCode() const { return exit_; }

private:
    pid_t pid_ = -1;
    int exit_ = -1;
};

XWindowId ReportOf(const XSession& x, pid_t child) {
    for (XWindowId window : x.WindowsOfProcess(static_cast<std::uint32_t>(child))) {
        if (!x.IsOverrideRedirect(window) && x.IsMappedAndViewable(window) &&
            x.Title(window) == std::string("Brumelis"))
            return window;
    }
    return 0;
}

TEST(GtkRuntimeErrorReport, FailureOutOfAHandlerShowsTheReportThenEndsTheProgram) {
    XSession x;
    ASSERT_TRUE(x.Opened());
    ChildRun child;
    ASSERT_GT(child.Id(), 0);
    XWindowId box = 0;
    WaitUntil([&] { return (box = ReportOf(x, child.Id())) != 0 || !child.Running(); });
    ASSERT_NE(0u, box) << "no report; child exit code " << child.ExitCode();
    // Ticks keep coming while the report is up, and none may reach a
    // handler: the child would end itself at once.
    EXPECT_TRUE(HoldsFor([&] { return child.Running(); }, Milliseconds{500}))
        << "child exit code " << child.ExitCode();

    x.Activate(box);
    ASSERT_TRUE(WaitUntil([&] { return x.ActiveWindow() == box; }));
    x.Key("Return");
    ASSERT_TRUE(WaitUntil([&] { return !child.Running(); })) << "the program went on";
    EXPECT_EQ(0, child.ExitCode()) << "3: a handler ran after the failure; 4: the loop ended";
}

}  // namespace

int RunToolbarWithFailingHandler() {
    try {
        GtkToolkit toolkit(ToolbarLayout());
        FailingForm form;
        toolkit.Run(form);
    } catch (const std::runtime_error&) {
        return kToolbarNotBuilt;
    }
    return kLoopEndedByItself;
}

}  // namespace brumelis::x11_tests
