// The start the Wayland rows share, over fakes in a session made up by the
// test: the lock held while the row makes its window system and given back
// before a refusal is told, the announcement the instance rule counts.
#include "program/wayland_start.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "base/utf8_text.h"
#include "platform/fake/fake_toolkit.h"
#include "program/announced_toolbars.h"
#include "program/desktop_start.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis {
namespace {

// The made-up session's runtime directory, its lock and its announcements.
std::string runtime, lock, announced;

std::string LockState() {
    const int descriptor = open(lock.c_str(), O_RDWR | O_CLOEXEC);
    const bool locked = descriptor >= 0 && flock(descriptor, LOCK_EX | LOCK_NB) != 0;
    if (descriptor >= 0) close(descriptor);
    return locked ? "locked" : "free";
}

// What the row and its toolkit saw, in order.
struct FakeRow final : WaylandRow {
    struct Toolkit final : FakeToolkit {
        Toolkit(FakeDesktop& screen, const FormLayout& layout, std::string& seen)
            : FakeToolkit(screen, layout), seen_(seen) {}
        ~Toolkit() override { seen_ += Ended() ? " ended" : " ran"; }
        std::string& seen_;
    };
    std::optional<int> Open(int&, char**&, const WaylandStart&) override { return openEnds; }
    WindowSystem* Windows(const WaylandStart& start, Text& refusal) override {
        seen += "windows:" + LockState() + (start.announcements == announced ? "" : "?");
        refusal = refuses;
        return refuses.empty() ? &compositor : nullptr;
    }
    std::unique_ptr<FormToolkit> MakeToolkit(const FormLayout& layout) override {
        return std::make_unique<Toolkit>(screen, layout, seen);
    }
    std::optional<int> openEnds;
    Text refuses;
    std::string seen;
    // The compositor lists no toolbar (a layer surface is in no list).
    FakeDesktop compositor, screen;
};

TEST(WaylandStart, LockAnnouncementAndRefusalAsTheRowAnswers) {
    char directory[] = "/tmp/brumelis-wayland-start.XXXXXX";
    runtime = mkdtemp(directory);
    lock = runtime + "/brumelis-display-wayland-test.lock";
    announced = runtime + "/brumelis-toolbars-wayland-test";
    const SessionEnvironment session{"", "wayland-test", "wayland", "", "", runtime};
    const Text caption = ToolbarLayout().caption + u"\n";
    const struct {
        bool otherCopy;  // a running copy has announced its toolbar
        std::optional<int> openEnds;
        Text refuses;
        int status;
        const char* seen;
    } rows[] = {
        {false, std::nullopt, u"", 0, "windows:locked ran"},
        {true, std::nullopt, u"", 0, "windows:locked ended"},  // ours counts with it
        {false, 1, u"", 1, ""},
        {false, std::nullopt, u"refusé", 7, "windows:locked refused:free"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seen);
        int other = -1;
        if (row.otherCopy) {
            mkdir(announced.c_str(), 0700);
            std::ofstream(announced + "/1") << Utf8FromText(caption + caption);
            other = open((announced + "/1").c_str(), O_RDONLY | O_CLOEXEC);
            ASSERT_EQ(0, flock(other, LOCK_EX));
        }
        FakeRow fake;
        fake.openEnds = row.openEnds;
        fake.refuses = row.refuses;
        int argc = 0;
        char** argv = nullptr;
        EXPECT_EQ(row.status, StartOnWayland(session, fake, argc, argv, [&](const Text& text) {
                      fake.seen += " refused:" + LockState();
                      return text == row.refuses ? 7 : 8;
                  }));
        if (other >= 0) close(other);
        EXPECT_EQ(row.seen, fake.seen);
        EXPECT_EQ("free", LockState());
        EXPECT_TRUE(AnnouncedTitles(announced).empty()) << "withdrawn at the end";
    }
    std::system(("rm -rf " + runtime).c_str());
}

// The lines GDK 3 logs as it ends the program: the display gone is told in
// French first; its other messages are left alone.
TEST(DisplayGone, GdksLastLinesAreToldAndNoOthers) {
    EXPECT_TRUE(SaysDisplayGone("Error reading events from display: Broken pipe"));
    EXPECT_TRUE(SaysDisplayGone("Error 32 (Broken pipe) dispatching to Wayland display."));
    EXPECT_TRUE(SaysDisplayGone("Error flushing display: Broken pipe"));
    EXPECT_TRUE(
        SaysDisplayGone("brumelis: Fatal IO error 11 (Resource temporarily unavailable) "
                        "on X server :7."));
    EXPECT_FALSE(SaysDisplayGone("Unable to load image-loading module"));
    EXPECT_FALSE(SaysDisplayGone(nullptr));
}

}  // namespace
}  // namespace brumelis
