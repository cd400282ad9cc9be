// The start at log-in: where its entry goes, what it names, how it is
// written and taken away.
#include "program/autostart_entry.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace brumelis {
namespace {

TEST(Autostart, TheEntryGoesWhereXdgSaysAndStartsTheProgramWhateverItsPath) {
    EXPECT_EQ("/c/autostart/brumelis.desktop", AutostartPath("/c", "/h"));
    EXPECT_EQ("/h/.config/autostart/brumelis.desktop", AutostartPath("relative", "/h"));
    EXPECT_EQ("", AutostartPath("", "relative"));
    const std::pair<const char*, const char*> rows[] = {
        {"/usr/bin/brumelis", "\nExec=/usr/bin/brumelis\n"},
        {"/opt/mes apps/$x\"", "\nExec=\"/opt/mes apps/\\\\$x\\\\\"\"\n"},
        {"/srv/100%/brumelis", "\nExec=/srv/100%%/brumelis\n"},
        {"/tmp/a\nb", ""},  // no entry can hold it
    };
    for (const auto& [program, exec] : rows) {
        const std::string entry = AutostartEntry(program);
        EXPECT_TRUE(*exec ? entry.find(exec) != std::string::npos : entry.empty()) << entry;
    }
}

TEST(Autostart, OnWritesTheWholeEntryForAllToReadOffTakesItAwayAFailureIsSaid) {
    char made[] = "/tmp/brumelis-autostart.XXXXXX";
    const std::string root = mkdtemp(made), path = root + "/config/autostart/brumelis.desktop";
    ASSERT_TRUE(TurnAutostartOn(path, "/usr/bin/brumelis").done);
    ASSERT_TRUE(TurnAutostartOn(path, "/usr/bin/brumelis").done) << "over the first";
    std::ostringstream written;
    written << std::ifstream(path).rdbuf();
    EXPECT_EQ(AutostartEntry("/usr/bin/brumelis"), written.str());
    struct stat file {};
    EXPECT_EQ(0, stat(path.c_str(), &file));
    EXPECT_EQ(0644u, file.st_mode & 0777u);
    EXPECT_TRUE(TurnAutostartOff(path).done);
    EXPECT_NE(std::string::npos, TurnAutostartOff(path).message.find("rien à retirer"));

    mkdir(path.c_str(), 0700);  // a folder in the entry's place
    std::ofstream(path + "/kept") << "";
    const std::pair<AutostartOutcome, const char*> failures[] = {
        {TurnAutostartOn(path + "/kept/autostart/x", "/b"), "impossible de créer le dossier « "},
        {TurnAutostartOn(path, "/usr/bin/brumelis"), "impossible d'écrire « "},
        {TurnAutostartOff(path), "impossible de retirer « "},
    };
    for (const auto& [outcome, says] : failures) {
        EXPECT_FALSE(outcome.done);
        EXPECT_EQ(0u, outcome.message.find("brumelis: ")) << outcome.message;
        EXPECT_NE(std::string::npos, outcome.message.find(says)) << outcome.message;
    }
    EXPECT_EQ(0, unlink((path + "/kept").c_str()) | rmdir(path.c_str()) |
                     rmdir((root + "/config/autostart").c_str()))
        << "a draft left behind";
    std::system(("rm -rf " + root).c_str());
}

}  // namespace
}  // namespace brumelis
