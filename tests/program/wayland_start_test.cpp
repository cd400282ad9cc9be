// The start the Wayland rows share, over a row of fakes in a session made
// up by the test: the lock, the announcement the instance rule counts, and
// where a refusal or an early end leaves them.
#include "program/wayland_start.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "base/utf8_text.h"
#include "platform/fake/fake_toolkit.h"
#include "program/announced_toolbars.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis {
namespace {

// Whether another holder has the lock file.
bool LockedElsewhere(const std::string& path) {
    const int descriptor = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (descriptor < 0) return false;
    const bool locked = flock(descriptor, LOCK_EX | LOCK_NB) != 0;
    close(descriptor);
    return locked;
}

// What the row and the toolkit saw, kept past the toolkit's end.
struct Seen {
    bool windowsAsked = false;
    bool lockedWhenAsked = false;
    std::string announcements;
    bool toolkitMade = false;
    bool endedAsAlreadyRunning = false;
};

class NotedToolkit final : public FakeToolkit {
public:
    NotedToolkit(FakeDesktop& screen, const FormLayout& layout, Seen& seen)
        : FakeToolkit(screen, layout), seen_(seen) {}
    ~NotedToolkit() override { seen_.endedAsAlreadyRunning = Ended() && !Messages().empty(); }

private:
    Seen& seen_;
};

class FakeRow final : public WaylandRow {
public:
    FakeRow(std::optional<int> openEnds, Text refusal, std::string lock, Seen& seen)
        : openEnds_(openEnds), refusal_(std::move(refusal)), lock_(std::move(lock)), seen_(seen) {}

    std::optional<int> Open(int&, char**&, const WaylandStart&) override { return openEnds_; }
    WindowSystem* Windows(const WaylandStart& start, Text& refusal) override {
        seen_.windowsAsked = true;
        seen_.lockedWhenAsked = LockedElsewhere(lock_);
        seen_.announcements = start.announcements;
        refusal = refusal_;
        return refusal_.empty() ? &compositor_ : nullptr;
    }
    std::unique_ptr<FormToolkit> MakeToolkit(const FormLayout& layout) override {
        seen_.toolkitMade = true;
        return std::make_unique<NotedToolkit>(screen_, layout, seen_);
    }

private:
    std::optional<int> openEnds_;
    Text refusal_;
    std::string lock_;
    Seen& seen_;
    // What the compositor lists (no toolbar: a layer surface is in no
    // list), and the screen the toolkit's windows go to.
    FakeDesktop compositor_, screen_;
};

TEST(WaylandStart, LockAnnouncementAndRefusalAsTheRowAnswers) {
    char pattern[] = "/tmp/brumelis-wayland-start.XXXXXX";
    const std::string runtime = mkdtemp(pattern);
    SessionEnvironment session;
    session.waylandDisplay = "wayland-test";
    session.runtimeDirectory = runtime;
    const std::string lock = runtime + "/brumelis-display-wayland-test.lock";
    const std::string announcements = runtime + "/brumelis-toolbars-wayland-test";
    const Text caption = ToolbarLayout().caption;

    const struct {
        const char* reason;
        bool otherCopy;  // a running copy has announced its toolbar
        std::optional<int> openEnds;
        Text refusal;
        int status;
        bool windowsAsked, toolkitMade, alreadyRunning;
    } rows[] = {
        {"alone: the toolbar runs", false, std::nullopt, u"", 0, true, true, false},
        {"another copy's announcement counts with ours", true, std::nullopt, u"", 0, true, true,
         true},
        {"the display cannot be opened", false, 1, u"", 1, false, false, false},
        {"the desktop refuses the window system", false, std::nullopt, u"refusé", 7, true, false,
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        std::system(("rm -rf '" + announcements + "'").c_str());
        int other = -1;
        if (row.otherCopy) {
            ASSERT_EQ(0, system(("mkdir -m 700 '" + announcements + "'").c_str()));
            const std::string file = announcements + "/1";
            std::ofstream(file) << Utf8FromText(caption) << "\n" << Utf8FromText(caption) << "\n";
            other = open(file.c_str(), O_RDONLY | O_CLOEXEC);
            ASSERT_EQ(0, flock(other, LOCK_EX));
        }
        Seen seen;
        FakeRow fakeRow(row.openEnds, row.refusal, lock, seen);
        Text refused;
        bool lockedWhenRefused = true;
        int argc = 0;
        char** argv = nullptr;
        const int status = StartOnWayland(session, fakeRow, argc, argv, [&](const Text& message) {
            refused = message;
            lockedWhenRefused = LockedElsewhere(lock);
            return 7;
        });
        if (other >= 0) close(other);

        EXPECT_EQ(row.status, status);
        EXPECT_EQ(row.refusal, refused);
        EXPECT_TRUE(row.refusal.empty() || !lockedWhenRefused) << "told once the lock is back";
        EXPECT_EQ(row.windowsAsked, seen.windowsAsked);
        if (row.windowsAsked) {
            EXPECT_TRUE(seen.lockedWhenAsked);
            EXPECT_EQ(announcements, seen.announcements);
        }
        EXPECT_EQ(row.toolkitMade, seen.toolkitMade);
        EXPECT_EQ(row.alreadyRunning, seen.endedAsAlreadyRunning);
        EXPECT_FALSE(LockedElsewhere(lock)) << "given back at the end";
        EXPECT_TRUE(AnnouncedTitles(announcements).empty()) << "withdrawn at the end";
    }
    std::system(("rm -rf '" + runtime + "'").c_str());
}

}  // namespace
}  // namespace brumelis
