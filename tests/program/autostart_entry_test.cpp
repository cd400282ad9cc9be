// The start at log-in: where its entry goes, what it says, and how it is
// written and taken away.
#include "program/autostart_entry.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace brumelis {
namespace {

TEST(Autostart, TheEntryGoesWhereTheXdgBaseDirectoriesSay) {
    const struct {
        const char *configHome, *home, *path;
    } rows[] = {
        {"/etc/u", "/home/u", "/etc/u/autostart/brumelis.desktop"},
        {"", "/home/u", "/home/u/.config/autostart/brumelis.desktop"},
        {"relative", "/home/u", "/home/u/.config/autostart/brumelis.desktop"},
        {"", "", ""},
        {"", "relative", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.path, AutostartPath(row.configHome, row.home))
            << row.configHome << " " << row.home;
    }
}

TEST(Autostart, TheEntryStartsTheProgramWhateverItsPath) {
    const struct {
        const char *program, *exec;  // exec: the Exec line, none when refused
    } rows[] = {
        {"/usr/bin/brumelis", "Exec=/usr/bin/brumelis\n"},
        {"/opt/mes programmes/brumelis", "Exec=\"/opt/mes programmes/brumelis\"\n"},
        {"/tmp/$x/\"q\"", "Exec=\"/tmp/\\\\$x/\\\\\"q\\\\\"\"\n"},
        {"/srv/100%/brumelis", "Exec=/srv/100%%/brumelis\n"},
        {"/tmp/a\nb", nullptr},
    };
    for (const auto& row : rows) {
        const std::string entry = AutostartEntry(row.program);
        if (row.exec == nullptr) {
            EXPECT_EQ("", entry) << row.program;
            continue;
        }
        EXPECT_EQ(0u, entry.find("[Desktop Entry]\nType=Application\n")) << entry;
        EXPECT_NE(std::string::npos, entry.find(row.exec)) << entry;
    }
}

class AutostartFile : public testing::Test {
protected:
    AutostartFile() {
        char root[] = "/tmp/brumelis-autostart.XXXXXX";
        root_ = mkdtemp(root);
    }
    ~AutostartFile() override { std::system(("rm -rf " + root_).c_str()); }
    std::vector<std::string> Listed(const std::string& directory) {
        std::vector<std::string> names;
        if (DIR* listing = opendir(directory.c_str())) {
            while (const dirent* entry = readdir(listing)) {
                if (entry->d_name[0] != '.' || entry->d_name[1] > '.')
                    names.push_back(entry->d_name);
            }
            closedir(listing);
        }
        return names;
    }
    std::string root_;
};

TEST_F(AutostartFile, OnWritesTheWholeEntryForAllToReadAndOffTakesItAway) {
    const std::string directory = root_ + "/config/autostart";
    const std::string path = directory + "/brumelis.desktop";
    for (int time = 0; time < 2; ++time) {  // the second over the first
        const AutostartOutcome on = TurnAutostartOn(path, "/usr/bin/brumelis");
        ASSERT_TRUE(on.done) << on.message;
        EXPECT_NE(std::string::npos, on.message.find(path)) << on.message;
    }
    std::ostringstream written;
    written << std::ifstream(path).rdbuf();
    EXPECT_EQ(AutostartEntry("/usr/bin/brumelis"), written.str());
    struct stat file {
    }, folder{};
    ASSERT_EQ(0, stat(path.c_str(), &file));
    ASSERT_EQ(0, stat((root_ + "/config").c_str(), &folder));
    EXPECT_EQ(0644u, file.st_mode & 0777u);
    EXPECT_EQ(0700u, folder.st_mode & 0777u);
    EXPECT_EQ(std::vector<std::string>{"brumelis.desktop"}, Listed(directory)) << "no draft left";

    EXPECT_TRUE(TurnAutostartOff(path).done);
    EXPECT_TRUE(Listed(directory).empty());
    const AutostartOutcome again = TurnAutostartOff(path);
    EXPECT_TRUE(again.done);
    EXPECT_NE(std::string::npos, again.message.find("rien à retirer")) << again.message;
}

TEST_F(AutostartFile, AFailureIsSaidAndLeavesNothingBehind) {
    std::ofstream(root_ + "/file") << "in the way";
    mkdir((root_ + "/autostart").c_str(), 0700);
    mkdir((root_ + "/autostart/brumelis.desktop").c_str(), 0700);  // a folder in the entry's place
    std::ofstream(root_ + "/autostart/brumelis.desktop/kept") << "";
    const struct {
        AutostartOutcome outcome;
        const char* says;
    } rows[] = {
        {TurnAutostartOn(root_ + "/file/autostart/brumelis.desktop", "/usr/bin/brumelis"),
         "impossible de créer le dossier « "},
        {TurnAutostartOn(root_ + "/autostart/brumelis.desktop", "/usr/bin/brumelis"),
         "impossible d'écrire « "},
        {TurnAutostartOn(root_ + "/autostart/brumelis.desktop", "/tmp/a\nb"),
         "ne peut pas figurer"},
        {TurnAutostartOff(root_ + "/autostart/brumelis.desktop"), "impossible de retirer « "},
    };
    for (const auto& row : rows) {
        EXPECT_FALSE(row.outcome.done) << row.says;
        EXPECT_EQ(0u, row.outcome.message.find("brumelis: ")) << row.outcome.message;
        EXPECT_NE(std::string::npos, row.outcome.message.find(row.says)) << row.outcome.message;
    }
    EXPECT_EQ(std::vector<std::string>{"brumelis.desktop"}, Listed(root_ + "/autostart"));
}

}  // namespace
}  // namespace brumelis
