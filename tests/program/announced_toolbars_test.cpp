// The copies' announcements that stand in, on Wayland, for the captioned
// windows the instance rule counts.
#include "program/announced_toolbars.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <memory>

namespace brumelis {
namespace {

class AnnouncedToolbarsTest : public testing::Test {
protected:
    AnnouncedToolbarsTest() {
        char root[] = "/tmp/brumelis-announced.XXXXXX";
        root_ = mkdtemp(root);
        directory_ = root_ + "/toolbars";
    }
    ~AnnouncedToolbarsTest() override { std::system(("rm -rf " + root_).c_str()); }
    std::string root_, directory_;
};

TEST_F(AnnouncedToolbarsTest, ARunningCopyIsListedUntilItGoes) {
    {
        const AnnouncedToolbar announced(directory_, u"BrumelisZOLVEC", 2);
        EXPECT_EQ(AnnouncedTitles(directory_),
                  (std::vector<Text>{u"BrumelisZOLVEC", u"BrumelisZOLVEC"}));
    }
    EXPECT_TRUE(AnnouncedTitles(directory_).empty());
}

TEST_F(AnnouncedToolbarsTest, AFileNoRunningCopyLocksIsACopyThatDied) {
    const AnnouncedToolbar announced(directory_, u"Brumelis", 1);
    std::ofstream(directory_ + "/99999999") << "Brumelis\n";
    EXPECT_EQ(AnnouncedTitles(directory_).size(), 1u);
    EXPECT_NE(access((directory_ + "/99999999").c_str(), F_OK), 0) << "removed";
}

TEST_F(AnnouncedToolbarsTest, TheSnapshotListsTheSystemsWindowsThenTheAnnouncedOnesCut) {
    struct OneWindow final : WindowSystem {
        WindowHandle ForegroundWindow() override { return 7; }
        std::optional<ScreenRect> VisibleFrame(WindowHandle) override { return std::nullopt; }
        void WatchMoves(WindowHandle, std::function<void()>) override {}
        ChangeAnswer KeepAbove(WindowHandle, bool) override { return ChangeAnswer::kUnsupported; }
        ChangeAnswer SetOpacity(WindowHandle, std::uint8_t) override {
            return ChangeAnswer::kAccepted;
        }
        void Activate(WindowHandle) override {}
        std::vector<ListedWindow> TopLevelWindows(WindowHandle, std::size_t) override {
            return {ListedWindow{7, u"Cible"}};
        }
    } system;
    const AnnouncedToolbar announced(directory_, u"BrumelisZOLVEC", 2);
    WithAnnouncedToolbars windows(system, directory_);
    const auto listed = windows.TopLevelWindows(0, 8);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].window, 7);
    EXPECT_EQ(listed[1].window, -1);
    EXPECT_EQ(*listed[2].title, u"Brumelis");
}

// Another copy, in a process of its own: it announces its two windows,
// leaves if it counts more (the instance rule, allowance 2), says whether it
// runs, and runs until the test ends. Held, it is traced and stopped at the first
// lock it takes: its announcement is being written.
struct Copy {
    Copy(const std::string& directory, bool hold) {
        if (pipe(answer) != 0 || (pid = fork()) < 0) return;
        if (pid == 0) {
            if (hold) ptrace(PTRACE_TRACEME, 0, nullptr, nullptr), raise(SIGSTOP);
            auto running = std::make_unique<AnnouncedToolbar>(directory, u"Brumelis", 2);
            if (AnnouncedTitles(directory).size() > 2) running.reset();
            if (write(answer[1], running ? "r" : "q", 1) == 1 && running) pause();
            _exit(0);
        }
        int status = 0;
        __ptrace_syscall_info call{};
        if (hold && waitpid(pid, &status, 0) == pid) {
            ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
            while ((call.op != PTRACE_SYSCALL_INFO_ENTRY || call.entry.nr != SYS_flock) &&
                   ptrace(PTRACE_SYSCALL, pid, nullptr, nullptr) == 0 &&
                   waitpid(pid, &status, 0) == pid && WIFSTOPPED(status)) {
                ptrace(PTRACE_GET_SYSCALL_INFO, pid, sizeof call, &call);
            }
            held = call.op == PTRACE_SYSCALL_INFO_ENTRY && call.entry.nr == SYS_flock;
        }
    }
    ~Copy() {
        if (pid > 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    }
    // Once it has started (let go first if held).
    int Runs() {
        if (held) ptrace(PTRACE_DETACH, pid, nullptr, nullptr);
        char said = 0;
        return read(answer[0], &said, 1) == 1 && said == 'r' ? 1 : 0;
    }
    pid_t pid = -1;
    int answer[2] = {-1, -1};
    bool held = false;
};

// Copies started together, without the start lock between them (a copy
// whose wait for it ran out): whatever their order, one toolbar runs, and
// any copy started later sees it.
TEST_F(AnnouncedToolbarsTest, TwoCopiesStartingWhileAThirdAnnouncesLeaveOneToolbar) {
    Copy third(directory_, true);
    ASSERT_TRUE(third.held);
    Copy first(directory_, false), second(directory_, false);
    int toolbars = first.Runs() + second.Runs();
    toolbars += third.Runs();
    Copy later(directory_, false);
    toolbars += later.Runs();
    EXPECT_EQ(toolbars, 1);
}

TEST(AnnouncementDirectory, NeedsAnAbsoluteRuntimeDirectoryAndADisplay) {
    EXPECT_EQ(AnnouncementDirectory("/run/user/1000", "wayland-1"),
              "/run/user/1000/brumelis-toolbars-wayland-1");
    EXPECT_EQ(AnnouncementDirectory("", "wayland-1"), "");
    EXPECT_EQ(AnnouncementDirectory("relative", "wayland-1"), "");
    EXPECT_EQ(AnnouncementDirectory("/run/user/1000", ""), "");
}

}  // namespace
}  // namespace brumelis
