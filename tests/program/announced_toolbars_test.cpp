// The copies' announcements that stand in, on Wayland, for the captioned
// windows the instance rule counts.
#include "program/announced_toolbars.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>

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

TEST(AnnouncementDirectory, NeedsAnAbsoluteRuntimeDirectoryAndADisplay) {
    EXPECT_EQ(AnnouncementDirectory("/run/user/1000", "wayland-1"),
              "/run/user/1000/brumelis-toolbars-wayland-1");
    EXPECT_EQ(AnnouncementDirectory("", "wayland-1"), "");
    EXPECT_EQ(AnnouncementDirectory("relative", "wayland-1"), "");
    EXPECT_EQ(AnnouncementDirectory("/run/user/1000", ""), "");
}

}  // namespace
}  // namespace brumelis
