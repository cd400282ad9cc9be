// The KWin figures of docs/design.md: how soon KWin applies the opacity of a
// slider drag's move, and how soon the toolbar reaches a moved window's
// corner. Run on headless KWin:
//   scripts/session-test.sh kwin build/native/bench/kwin/brumelis_kwin_measure
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>

#include "tests/kwin/kwin_session.h"

namespace brumelis::kwin_tests {
namespace {

std::vector<long> Numbers(const std::string& text) {
    std::vector<long> numbers;
    std::istringstream in(text);
    for (long n; in >> n;) numbers.push_back(n);
    return numbers;
}

void Print(const char* what, std::vector<long> values) {
    if (values.empty()) {
        std::printf("%s: nothing measured\n", what);
        return;
    }
    std::sort(values.begin(), values.end());
    std::printf("%s: n %zu, median %ld ms, p90 %ld ms, max %ld ms\n", what, values.size(),
                values[values.size() / 2], values[values.size() * 9 / 10], values.back());
}

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

TEST(Measure, DragLatencyAndGlueStaleness) {
    FakePointer* pointer = FakePointer::Shared();
    ASSERT_TRUE(pointer);
    auto target = LineProcess::Start({BRUMELIS_GTK_TARGET, "--title=Cible"});
    ASSERT_TRUE(target && target->WaitForLine("shown"));
    for (int i = 0; i < 50; ++i) Pause();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(BRUMELIS_PROGRAM, BRUMELIS_PROGRAM, static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 100; ++i) Pause();
    const auto seen = WindowTitled("Cible");
    ASSERT_TRUE(seen);
    const int left = seen->x, top = seen->y;

    // Opacity: the times KWin applied it, against the times of the moves.
    const std::string watchOpacity = R"js(
var all = workspace.clientList(), target = null, times = [];
for (var i = 0; i < all.length; ++i) if (String(all[i].caption) === "Cible") target = all[i];
target.opacityChanged.connect(function () {
    times.push(Date.now());
    if (times.length === 40) callDBus("OWNER", "/example/zolvec/BrumelisTest", "example.zolvec.BrumelisTest1", "Seen", times.join(" "));
});
)js";
    std::vector<long long> moved;
    const auto applied = RunScript(watchOpacity, std::chrono::seconds(10), [&] {
        ASSERT_TRUE(pointer->Click(left + 4, top + 4));
        for (int i = 0; i < 25; ++i) Pause();
        ASSERT_TRUE(pointer->MoveTo(left + 15, top + 26));
        Pause();
        ASSERT_TRUE(pointer->Press());
        for (int step = 0; step < 40; ++step) {
            moved.push_back(NowMs());
            ASSERT_TRUE(pointer->MoveTo(left + 15, top + 28 + step * 2));
            Pause();
        }
        ASSERT_TRUE(pointer->Release());
    });
    std::vector<long> latency;
    if (applied) {
        const std::vector<long> times = Numbers(*applied);
        for (long long move : moved) {
            for (long time : times) {
                // Date.now() and the test's clock are both the wall clock.
                if (static_cast<long long>(time) >= move) {
                    latency.push_back(static_cast<long>(time - move));
                    break;
                }
            }
        }
    }
    Print("opacity applied after a move", latency);

    // Glue: the toolbar's surface moving after its target was moved.
    const std::string moveTarget = R"js(
var all = workspace.clientList(), target = null, surface = null, took = [], t0 = 0, step = 0;
for (var i = 0; i < all.length; ++i) {
    if (String(all[i].caption) === "Cible") target = all[i];
    else if (all[i].pid === PID) surface = all[i];
}
surface.frameGeometryChanged.connect(function () {
    if (t0 !== 0 && surface.frameGeometry.x === target.frameGeometry.x) { took.push(Date.now() - t0); t0 = 0; }
});
var timer = new QTimer();
timer.interval = 300;
timer.timeout.connect(function () {
    if (step === 20) {
        timer.stop();
        callDBus("OWNER", "/example/zolvec/BrumelisTest", "example.zolvec.BrumelisTest1", "Seen", took.join(" "));
        return;
    }
    var g = target.frameGeometry;
    t0 = Date.now();
    target.frameGeometry = {x: 300 + (step % 2) * 100, y: 200, width: g.width, height: g.height};
    ++step;
});
timer.start();
)js";
    std::string script = moveTarget;
    script.replace(script.find("PID"), 3, std::to_string(pid));
    const auto glue = RunScript(script, std::chrono::seconds(15), nullptr);
    Print("toolbar at the moved target's corner after",
          glue ? Numbers(*glue) : std::vector<long>{});
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

}  // namespace
}  // namespace brumelis::kwin_tests
