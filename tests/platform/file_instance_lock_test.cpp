// The start lock between processes of one display: one holder at a time,
// given back on release and when the holder's process ends.
#include "platform/file_instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

namespace brumelis {
namespace {

using std::chrono::milliseconds;

TEST(FileInstanceLock, NamesOfOneDisplayGiveOneFile) {
    const struct {
        const char* display;
        const char* key;
    } rows[] = {
        {":99", "99"},
        {":99.0", "99"},
        {"unix:99", "99"},
        {"unix:99.2", "99"},
        {"otherhost:10.0", "otherhost_10"},
        {"wayland-1", "wayland-1"},
        {"/tmp/launch-a/org.x:0", "_tmp_launch-a_org.x_0"},  // no directory of its own
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.key, FileInstanceLock::DisplayKey(row.display)) << row.display;
    }
}

class FileInstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/brumelis-lock-test.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        directory_ = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + directory_ + "'").c_str()); }
    FileInstanceLock Lock(const std::string& display, milliseconds wait = milliseconds(50)) {
        return FileInstanceLock(display, directory_, wait);
    }
    // Runs `child` in a process of its own; its exit status.
    template <typename Body>
    int InChild(Body child) {
        const pid_t pid = fork();
        if (pid == 0) _exit(child());
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string directory_;
};

TEST_F(FileInstanceLockTest, OneHolderAtATimeAcrossProcessesUntilReleased) {
    FileInstanceLock first = Lock(":5");
    first.Acquire();
    ASSERT_TRUE(first.Held());
    const auto tryInChild = [&](const char* display) {
        return InChild([&] {
            FileInstanceLock other = Lock(display);
            other.Acquire();
            return other.Held() ? 1 : 0;
        });
    };
    EXPECT_EQ(0, tryInChild("unix:5.0")) << "the same display: waits, then gives up";
    EXPECT_EQ(1, tryInChild(":6")) << "another display";
    first.Release();
    EXPECT_FALSE(first.Held());
    EXPECT_EQ(1, tryInChild(":5.0"));
}

TEST_F(FileInstanceLockTest, AHolderThatEndsWithoutReleasingGivesTheLockBack) {
    EXPECT_EQ(1, InChild([&] {
                  FileInstanceLock held = Lock(":7");
                  held.Acquire();
                  std::exit(held.Held() ? 1 : 0);  // no destructor runs
                  return 0;
              }));
    FileInstanceLock next = Lock(":7", milliseconds(0));
    next.Acquire();
    EXPECT_TRUE(next.Held());
}

TEST(FileInstanceLockPlace, WithoutARuntimeDirectoryAPrivateOneUnderTmp) {
    FileInstanceLock lock(":8", "");
    const std::string expected = "/tmp/brumelis-" + std::to_string(getuid());
    ASSERT_EQ(expected + "/brumelis-display-8.lock", lock.Path());
    struct stat status {};
    ASSERT_EQ(0, lstat(expected.c_str(), &status));
    EXPECT_EQ(0700u, status.st_mode & 0777);
    EXPECT_EQ(getuid(), status.st_uid);
}

}  // namespace
}  // namespace brumelis
