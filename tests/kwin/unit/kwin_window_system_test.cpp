// The KWin window system against traffic recorded with KWin 5.27 (Debian 12)
// and its Plasma 6 shape (script object /Scripting/ScriptN, fractional
// geometry), through RecordedBus.
#include "platform/kwin/kwin_window_system.h"
#include "platform/kwin/kwin_key_source.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/bus/recorded_bus.h"

namespace brumelis::testing {
namespace {

const char kKWin[] = ":1.0";
const char kToken[] = "a0c103ebbd80a3517251719d47c266b4";
const char kTarget[] = "{114122b5-c46c-42c0-9008-9ba6d0ac2ad0}";
const char kOther[] = "{5d0f8b1e-2a43-4c1b-9a57-0c7e1f3d9b20}";

std::string WindowReport(const char* id, const char* x, const char* y, const char* width,
                         const char* height) {
    return std::string("('") + kToken + "', '" + id + "', '" + x + "', '" + y + "', '" + width +
           "', '" + height + "')";
}

RecordedCall Report(const char* id, const char* x = "440", const char* y = "231",
                    const char* width = "400", const char* height = "337") {
    return {kKWin, "Window", WindowReport(id, x, y, width, height)};
}
RecordedCall Closed(const char* id) {
    return {kKWin, "Closed", std::string("('") + kToken + "', '" + id + "')"};
}
const RecordedCall kNextCommand{kKWin, "NextCommand", std::string("('") + kToken + "',)"};

// KWin 5.27 as recorded: the script is /0, /Scripting/Script0 is unknown.
std::unique_ptr<RecordedBus> KWin5Bus() {
    auto bus = std::make_unique<RecordedBus>();
    bus->replies = {{"/org/freedesktop/DBus GetNameOwner", "(':1.0',)"},
                    {"/Scripting loadScript", "(0,)"},
                    {"/Scripting unloadScript", "(true,)"},
                    {"/Scripting isScriptLoaded", "(true,)"},
                    {"/0 run", "()"}};
    bus->onRun = {Report(kTarget), kNextCommand};
    return bus;
}

// A directory of this run's own: a file left by an earlier run would be
// refused as planted.
const std::string& ScriptDirectory() {
    static const std::string directory = [] {
        std::string pattern = ::testing::TempDir() + "/kwin-scripts-XXXXXX";
        return std::string(mkdtemp(pattern.data()));
    }();
    return directory;
}

KWinStart Start(std::vector<long> dead = {}) {
    KWinStart start{4242, ScriptDirectory(), std::move(dead), kToken};
    start.recallDeadline = std::chrono::milliseconds(20);
    start.reloadPause = std::chrono::milliseconds(1);
    return start;
}

std::string Contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

struct Loaded {
    std::vector<std::string> calls;
    RecordedBus* bus = nullptr;
    std::string fileProblem;
    std::unique_ptr<KWinWindowSystem> windows;

    std::size_t Count(const std::string& call) const {
        std::size_t count = 0;
        for (const std::string& made : calls) count += made.rfind(call, 0) == 0 ? 1 : 0;
        return count;
    }
};

Loaded LoadOn(std::unique_ptr<RecordedBus> bus, std::vector<long> dead = {}) {
    Loaded loaded;
    bus->calls = &loaded.calls;
    loaded.bus = bus.get();
    loaded.windows =
        KWinWindowSystem::Load(std::move(bus), Start(std::move(dead)), &loaded.fileProblem);
    return loaded;
}

// Runs the main loop until `done`, for at most `seconds`.
template <typename Done>
bool LoopUntil(Done done, double seconds = 5) {
    const gint64 end = g_get_monotonic_time() + static_cast<gint64>(seconds * G_USEC_PER_SEC);
    while (!done() && g_get_monotonic_time() < end) g_main_context_iteration(nullptr, FALSE);
    return done();
}

TEST(KWinStart, FindsTheScriptObjectOfEitherKWinAndUnloadsLeftoversFirst) {
    Loaded kwin5 = LoadOn(KWin5Bus(), {17});
    ASSERT_NE(kwin5.windows, nullptr);
    // Its object is /0: /Scripting/Script0 is tried first, and is unknown.
    EXPECT_EQ(kwin5.Count("/Scripting/Script0 run"), 1u);
    EXPECT_EQ(kwin5.Count("/0 run"), 1u);
    // The leftover goes before ours loads; loadScript gets its two-string form.
    ASSERT_GE(kwin5.calls.size(), 3u);
    EXPECT_EQ(kwin5.calls[0], "/Scripting unloadScript ('brumelis-17',)");
    EXPECT_EQ(kwin5.calls[2].rfind("/Scripting loadScript ('", 0), 0u) << kwin5.calls[2];
    EXPECT_NE(kwin5.calls[2].find("', 'brumelis-4242')"), std::string::npos) << kwin5.calls[2];
    kwin5.windows.reset();  // its file goes with it: the next load makes its own

    // Its object gone before the run (another script unloaded meanwhile):
    // Scripting.start runs it.
    auto numberTaken = KWin5Bus();
    numberTaken->replies.erase("/0 run");
    numberTaken->replies["/Scripting start"] = "()";
    EXPECT_NE(LoadOn(std::move(numberTaken)).windows, nullptr);

    auto plasma6 = KWin5Bus();
    plasma6->replies.erase("/0 run");
    plasma6->replies["/Scripting/Script0 run"] = "()";
    plasma6->onRun = {Report(kTarget, "440.5", "231", "399.25", "337"), kNextCommand};
    Loaded six = LoadOn(std::move(plasma6));
    ASSERT_NE(six.windows, nullptr);
    EXPECT_EQ(six.Count("/Scripting/Script0 run"), 1u);
    EXPECT_EQ(six.Count("/0 run"), 0u);
    // A fractional frame covers every pixel it touches.
    const auto frame = six.windows->VisibleFrame(six.windows->ForegroundWindow());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->left, 440);
    EXPECT_EQ(frame->right, 840);
}

TEST(KWinStart, FailsWhenKWinIsAbsentRefusesOrNeverRunsTheScript) {
    struct Case {
        const char* what;
        std::string key;
        std::string reply;  // "" removes the reply
        bool silentScript;
    };
    const Case cases[] = {
        {"no KWin", "/org/freedesktop/DBus GetNameOwner",
         "error:org.freedesktop.DBus.Error.NameHasNoOwner", false},
        {"refused", "/Scripting loadScript", "(-1,)", false},
        {"no run", "/0 run", "", false},
        {"never reports", "/0 run", "()", true},
    };
    for (const Case& c : cases) {
        auto bus = KWin5Bus();
        if (c.reply.empty()) {
            bus->replies.erase(c.key);
        } else {
            bus->replies[c.key] = c.reply;
        }
        if (c.silentScript) bus->onRun.clear();
        EXPECT_EQ(LoadOn(std::move(bus)).windows, nullptr) << c.what;
    }
}

// KWin runs what the file holds: a file or a link found at its name is
// neither written nor written through, and the start says so.
TEST(KWinStart, WritesTheScriptOnlyToANewFileOfItsOwn) {
    const std::string script = ScriptDirectory() + "/brumelis-4242.js";
    {
        Loaded loaded = LoadOn(KWin5Bus());
        ASSERT_NE(loaded.windows, nullptr);
        struct stat status {};
        ASSERT_EQ(lstat(script.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0600u);
        EXPECT_NE(Contents(script).find(kToken), std::string::npos);
    }
    EXPECT_NE(access(script.c_str(), F_OK), 0) << "removed at the end";

    const std::string elsewhere = ScriptDirectory() + "/elsewhere.js";
    for (const bool link : {false, true}) {
        std::ofstream(link ? elsewhere : script) << "planted";
        if (link) {
            ASSERT_EQ(symlink(elsewhere.c_str(), script.c_str()), 0);
        }
        Loaded loaded = LoadOn(KWin5Bus());
        EXPECT_EQ(loaded.windows, nullptr) << link;
        EXPECT_NE(loaded.fileProblem.find(script), std::string::npos) << loaded.fileProblem;
        EXPECT_EQ(loaded.Count("/Scripting loadScript"), 0u) << link;
        EXPECT_EQ(Contents(link ? elsewhere : script), "planted") << link;
        EXPECT_EQ(unlink(script.c_str()), 0) << "left in place: " << link;
    }
    unlink(elsewhere.c_str());
}

// The script unloaded by another program: a change is not promised while
// it is gone, it is loaded again, and what was asked meanwhile is not
// carried out later; when KWin will not run it again the user is told once.
TEST(KWinLife, AScriptUnloadedByAnotherProgramIsLoadedAgainOrTold) {
    Loaded loaded = LoadOn(KWin5Bus());
    ASSERT_NE(loaded.windows, nullptr);
    KWinWindowSystem& windows = *loaded.windows;
    RecordedBus& bus = *loaded.bus;
    int told = 0;
    windows.OnScriptLost([&] { ++told; });
    const WindowHandle target = windows.ForegroundWindow();
    bus.replies["/Scripting isScriptLoaded"] = "(false,)";
    EXPECT_EQ(windows.SetOpacity(target, 51), ChangeAnswer::kNotNow);
    EXPECT_EQ(windows.KeepAbove(target, true), ChangeAnswer::kNotNow);
    ASSERT_TRUE(LoopUntil([&] { return loaded.Count("/Scripting loadScript") == 2; }));
    EXPECT_EQ(loaded.calls[loaded.calls.size() - 5], "/Scripting unloadScript ('brumelis-4242',)");
    EXPECT_EQ(windows.ForegroundWindow(), target);
    bus.replies["/Scripting isScriptLoaded"] = "(true,)";
    EXPECT_EQ(windows.SetOpacity(target, 102), ChangeAnswer::kAccepted);
    EXPECT_EQ(bus.answers.back(),
              std::string("('opacity', '") + kTarget + "', 0.40000000000000002)");
    EXPECT_EQ(told, 0);

    // Gone again, silently: the answer above is not followed by a call.
    bus.replies["/Scripting isScriptLoaded"] = "(false,)";
    bus.replies["/Scripting loadScript"] = "(-1,)";
    ASSERT_TRUE(LoopUntil([&] { return told > 0; }));
    EXPECT_EQ(loaded.Count("/Scripting loadScript"), 2u + 5u);
    EXPECT_EQ(windows.SetOpacity(target, 153), ChangeAnswer::kNotNow);
    LoopUntil([] { return false; }, 0.2);
    EXPECT_EQ(told, 1);
}

TEST(KWinReports, WindowClosedBetweenTwoEventsIsForgottenWithItsCommands) {
    Loaded loaded = LoadOn(KWin5Bus());
    KWinWindowSystem& windows = *loaded.windows;
    RecordedBus& bus = *loaded.bus;
    const WindowHandle target = windows.ForegroundWindow();
    ASSERT_NE(target, 0);
    bus.Deliver(Closed(kTarget));
    EXPECT_EQ(windows.ForegroundWindow(), 0);
    EXPECT_FALSE(windows.VisibleFrame(target));
    EXPECT_EQ(windows.SetOpacity(target, 10), ChangeAnswer::kAccepted);
    bus.Deliver(Report(kOther, "10", "20", "300", "200"));
    const WindowHandle other = windows.ForegroundWindow();
    EXPECT_NE(other, target);
    EXPECT_EQ(windows.VisibleFrame(other)->bottom, 220);
    // The start's standing call (answer 1) was kept for the next window.
    EXPECT_EQ(bus.answers[1], "");
    windows.SetOpacity(other, 51);
    EXPECT_EQ(bus.answers[1], std::string("('opacity', '") + kOther + "', 0.20000000000000001)");
}

TEST(KWinCommands, ADragSendsOnlyTheLatestOpacityAndAnIdleLookSendsNothing) {
    Loaded loaded = LoadOn(KWin5Bus());
    KWinWindowSystem& windows = *loaded.windows;
    const WindowHandle target = windows.ForegroundWindow();
    RecordedBus& bus = *loaded.bus;
    const std::vector<std::string> calls = loaded.calls;
    const std::deque<std::string> answers = bus.answers;
    for (int tick = 0; tick < 5; ++tick) {
        windows.ForegroundWindow();
        windows.VisibleFrame(target);
        windows.TopLevelWindows(target, 40);
    }
    EXPECT_EQ(loaded.calls, calls) << "nothing sent";
    EXPECT_EQ(bus.answers, answers) << "nothing answered";

    // The standing call from the start is answered at once with the first.
    EXPECT_EQ(windows.SetOpacity(target, 51), ChangeAnswer::kAccepted);
    windows.SetOpacity(target, 102);
    windows.SetOpacity(target, 153);
    windows.KeepAbove(target, true);
    const std::size_t second = bus.Deliver(kNextCommand);
    const std::size_t third = bus.Deliver(kNextCommand);
    const std::size_t fourth = bus.Deliver(kNextCommand);
    EXPECT_EQ(bus.answers[1], std::string("('opacity', '") + kTarget + "', 0.20000000000000001)");
    EXPECT_EQ(bus.answers[second],
              std::string("('opacity', '") + kTarget + "', 0.59999999999999998)");
    EXPECT_EQ(bus.answers[third], std::string("('above', '") + kTarget + "', 1.0)");
    EXPECT_EQ(bus.answers[fourth], "");  // nothing waits: the call stays open
}

TEST(KWinCommands, OnlyOurScriptIsHeard) {
    Loaded loaded = LoadOn(KWin5Bus());
    KWinWindowSystem& windows = *loaded.windows;
    const WindowHandle target = windows.ForegroundWindow();
    const RecordedCall strangers[] = {
        {":1.9", "Window", WindowReport(kOther, "0", "0", "5", "5")},
        {kKWin, "Window",
         "('00000000000000000000000000000000', '" + std::string(kOther) + "', '0', '0', '5', '5')"},
        {":1.9", "NextCommand", std::string("('") + kToken + "',)"},
        {":1.9", "Closed", std::string("('") + kToken + "', '" + kTarget + "')"},
        {kKWin, "Closed", std::string("('', '") + kTarget + "')"},
    };
    for (const RecordedCall& stranger : strangers) {
        EXPECT_EQ(loaded.bus->answers[loaded.bus->Deliver(stranger)], "refused")
            << stranger.sender << " " << stranger.method;
    }
    EXPECT_EQ(windows.ForegroundWindow(), target);
    EXPECT_EQ(windows.VisibleFrame(target)->left, 440);
}

TEST(KWinReports, AMovedFrameCallsTheWatcherOnce) {
    Loaded loaded = LoadOn(KWin5Bus());
    KWinWindowSystem& windows = *loaded.windows;
    int moves = 0;
    windows.WatchMoves(windows.ForegroundWindow(), [&] { ++moves; });
    loaded.bus->Deliver(Report(kTarget));
    EXPECT_EQ(moves, 0);
    loaded.bus->Deliver(Report(kTarget, "500"));
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(windows.VisibleFrame(windows.ForegroundWindow())->left, 500);
}

// The keys: kglobalaccel asked as KWin 5.27 answers (only Qt's key code
// goes: a key sequence sent in, (ai), aborts that KWin), the script told to
// register what is free, and again once it is loaded again; its presses heard.
const std::string kPinCode = "369098817";  // Meta+Ctrl+Shift+A
constexpr KeyChord kPin{kSuperModifier | kControlModifier | kShiftModifier, LetterKey('A')};

TEST(KWinKeys, AChordHeldElsewhereIsToldOursAndTheUnknownAreTaken) {
    const std::string none = "(@a(ai) [],)", leftover = "([([" + kPinCode + ", 0, 0, 0],)],)";
    const std::string registered =
        "('key', 'brumelis-1\\nMeta+Ctrl+Shift+A\\nBrumelis : garder', 1.0)";
    const struct {
        std::string accel, ours, available;
        TakeAnswer answer;
    } cases[] = {
        {"(true,)", none, "(true,)", TakeAnswer::kTaken},
        {"(true,)", none, "(false,)", TakeAnswer::kTakenByOther},
        {"(true,)", leftover, "(false,)", TakeAnswer::kTaken},  // a killed copy's, or the user's
        {"(true,)", none, "error:org.freedesktop.DBus.Error.UnknownMethod", TakeAnswer::kTaken},
        {"(false,)", none, "(true,)", TakeAnswer::kUnsupported},
    };
    for (const auto& c : cases) {
        auto bus = KWin5Bus();
        bus->replies["/org/freedesktop/DBus NameHasOwner"] = c.accel;
        bus->replies["/kglobalaccel shortcutKeys"] = c.ours;
        bus->replies["/kglobalaccel isGlobalShortcutAvailable"] = c.available;
        Loaded loaded = LoadOn(std::move(bus));
        KWinKeySource keys(*loaded.windows);
        std::vector<ShortcutId> pressed;
        keys.OnPress([&](ShortcutId id) { pressed.push_back(id); });
        keys.Describe(ShortcutId{1}, u"garder");
        EXPECT_EQ(keys.Take(ShortcutId{1}, kPin), c.answer) << c.ours << c.available;
        EXPECT_EQ(
            loaded.Count("/kglobalaccel isGlobalShortcutAvailable (" + kPinCode + ", 'kwin')"),
            c.ours == none && c.answer != TakeAnswer::kUnsupported ? 1u : 0u);
        std::deque<std::string>& answers = loaded.bus->answers;
        EXPECT_EQ(answers.back(), c.answer == TakeAnswer::kTaken ? registered : "");
        for (const char* number : {"'2')", "'1')"})  // 2 was never taken
            loaded.bus->Deliver({kKWin, "Key", std::string("('") + kToken + "', " + number});
        EXPECT_EQ(pressed.size(), c.answer == TakeAnswer::kTaken ? 1u : 0u);
        if (c.answer != TakeAnswer::kTaken) continue;
        loaded.bus->replies["/Scripting isScriptLoaded"] = "(false,)";
        loaded.windows->KeepAbove(loaded.windows->ForegroundWindow(), true);
        EXPECT_TRUE(
            LoopUntil([&] { return std::count(answers.begin(), answers.end(), registered) == 2; }));
    }
}

}  // namespace
}  // namespace brumelis::testing
