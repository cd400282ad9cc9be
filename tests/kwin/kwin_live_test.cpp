// The program on headless KWin, with real input: the fake pointer first
// checked on a plain GTK button, then the toolbar on a target window.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>

#include "tests/kwin/kwin_session.h"
#include "tests/support/wait.h"

namespace brumelis::kwin_tests {
namespace {

using std::chrono::milliseconds;

// Generous: on a loaded two-core machine the program took over 5 s to show
// its toolbar on KWin 6 nested in sway.
bool WaitUntil(const std::function<bool()>& condition) {
    return test_support::WaitUntil(condition, milliseconds(15000), Pause);
}

// A target window, seen by KWin at the same place twice in a row (a new
// window is placed and decorated in steps).
struct Target {
    std::unique_ptr<LineProcess> process;
    SeenWindow seen;
};
std::optional<Target> OpenTarget(const std::string& title) {
    Target target{LineProcess::Start({BRUMELIS_GTK_TARGET, "--title=" + title}), {}};
    if (!target.process || !target.process->WaitForLine("shown")) return std::nullopt;
    std::optional<SeenWindow> last;
    const bool settled = WaitUntil([&] {
        const auto now = WindowTitled(title);
        const bool same = now && last && now->x == last->x && now->y == last->y &&
                          now->width == last->width && now->active;
        last = now;
        return same;
    });
    if (!settled) return std::nullopt;
    target.seen = *last;
    return target;
}

// The program, ended (by a signal, as a session ends it) when let go of.
struct Program {
    pid_t pid = -1;
    Program() {
        pid = fork();
        if (pid == 0) {
            execl(BRUMELIS_PROGRAM, BRUMELIS_PROGRAM, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Program() {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
};

class ConnectPointerFirst : public testing::Environment {
    void SetUp() override { FakePointer::Shared(); }
};
const auto* const kPointerFirst = testing::AddGlobalTestEnvironment(new ConnectPointerFirst);

TEST(FakePointer, AClickReachesAPlainGtkButton) {
    FakePointer* pointer = FakePointer::Shared();
    ASSERT_TRUE(pointer) << "no fake pointer";
    auto target = OpenTarget("Bouton");
    ASSERT_TRUE(target) << "KWin does not show the target";
    const SeenWindow& seen = target->seen;
    ASSERT_TRUE(pointer->Click(seen.x + seen.width / 2, seen.y + seen.height / 2));
    EXPECT_TRUE(target->process->WaitForLine("clicked", std::chrono::seconds(5)));
}

class KWinToolbar : public testing::Test {
protected:
    void SetUp() override {
        auto opened = OpenTarget("Cible");
        ASSERT_TRUE(opened);
        target_ = std::move(*opened);
        program_ = std::make_unique<Program>();
        ASSERT_TRUE(WaitUntil([&] { return OnTarget(); }))
            << "the red square never reached " << target_.seen.x << "," << target_.seen.y << Seen();
    }
    bool OnTarget() {
        const auto surface = SurfaceOf(program_->pid);
        const auto target = WindowTitled("Cible");
        return surface && target && surface->x == target->x && surface->y == target->y;
    }
    std::string Seen() {
        std::string text = "; program " + std::to_string(program_->pid) + ", windows:";
        for (const SeenWindow& w : Windows()) {
            text += "\n  " + w.caption + " pid " + std::to_string(w.pid) + " at " +
                    std::to_string(w.x) + "," + std::to_string(w.y) + " " +
                    std::to_string(w.width) + "x" + std::to_string(w.height) +
                    (w.normal ? " normal" : "") + (w.active ? " active" : "");
        }
        return text;
    }
    double TargetOpacity() { return WindowTitled("Cible").value_or(SeenWindow{}).opacity; }

    Target target_;
    std::unique_ptr<Program> program_;
};

TEST_F(KWinToolbar, ASliderDragSetsTheOpacityOfTheHeightReleasedAt) {
    FakePointer* pointer = FakePointer::Shared();
    ASSERT_TRUE(pointer);
    const int left = target_.seen.x, top = target_.seen.y;
    ASSERT_TRUE(pointer->Click(left + 4, top + 4));
    ASSERT_TRUE(WaitUntil([&] {
        const auto surface = SurfaceOf(program_->pid);
        return surface && surface->height == 113;
    })) << "the panel did not unfold";
    // Slider 25x89 at (3, 24): 10 below its top, then 44 (129 of 255).
    ASSERT_TRUE(pointer->MoveTo(left + 15, top + 34));
    Pause();
    ASSERT_TRUE(pointer->Press());
    ASSERT_TRUE(pointer->MoveTo(left + 15, top + 50));
    // Out of the surface and back: the press's grab keeps the moves coming,
    // in the surface's own coordinates.
    ASSERT_TRUE(pointer->MoveTo(left + 400, top + 400));
    ASSERT_TRUE(pointer->MoveTo(5, 5));
    ASSERT_TRUE(pointer->MoveTo(left + 15, top + 68));
    ASSERT_TRUE(pointer->Release());
    // KWin keeps two decimals: 129/255 reads 0.51.
    EXPECT_TRUE(WaitUntil([&] { return std::fabs(TargetOpacity() - 0.51) < 0.006; }))
        << TargetOpacity();
}

TEST_F(KWinToolbar, ScriptGoesWithTheProgram) {
    const pid_t pid = program_->pid;
    const std::string script = "brumelis-" + std::to_string(pid);
    ASSERT_TRUE(IsScriptLoaded(script));
    program_.reset();
    EXPECT_FALSE(IsScriptLoaded(script));
    EXPECT_TRUE(WaitUntil([&] { return !SurfaceOf(pid); }));
    EXPECT_EQ(CallAsStranger(pid, "NextCommand", "('',)"), "no such program");
}

// A killed copy cannot unload its script: the next copy does, at its start
// (the script's own 30 s of silence would come much later).
TEST_F(KWinToolbar, TheNextCopyUnloadsTheScriptOfAKilledOne) {
    const std::string killed = "brumelis-" + std::to_string(program_->pid);
    kill(program_->pid, SIGKILL);
    program_.reset();
    ASSERT_TRUE(IsScriptLoaded(killed));
    program_ = std::make_unique<Program>();
    EXPECT_TRUE(WaitUntil([&] { return !IsScriptLoaded(killed); }));
    EXPECT_TRUE(WaitUntil([&] { return OnTarget(); }));
}

}  // namespace
}  // namespace brumelis::kwin_tests
