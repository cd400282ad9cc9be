// The command line as GNU programs read theirs: the first option that
// decides wins, prefixes name an option, anything unknown is refused.
#include "program/command_line.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace brumelis {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, EachArgumentListHasOneOutcome) {
    const struct {
        std::vector<std::string> arguments;
        Action action;
        const char* says;  // part of the refusal
    } rows[] = {
        {{}, Action::Run, ""},
        {{"--"}, Action::Run, ""},
        {{"--help"}, Action::ShowHelp, ""},
        {{"--h"}, Action::ShowHelp, ""},
        {{"--version"}, Action::ShowVersion, ""},
        {{"--vers"}, Action::ShowVersion, ""},
        {{"--autostart"}, Action::AutostartOn, ""},
        {{"--no"}, Action::AutostartOff, ""},
        {{"--auto=oui"}, Action::Refuse, "l'option « --autostart » ne prend pas d'argument"},
        {{"--help", "--bogus"}, Action::ShowHelp, ""},
        {{"--bogus", "--help"}, Action::Refuse, "option non reconnue « --bogus »"},
        {{"--helpme"}, Action::Refuse, "option non reconnue « --helpme »"},
        {{"-h"}, Action::Refuse, "option non reconnue « -h »"},
        {{"--version=2"}, Action::Refuse, "l'option « --version » ne prend pas d'argument"},
        {{"--=x"}, Action::Refuse, "option « -- » ambiguë"},
        {{"notes.txt"}, Action::Refuse, "argument en trop « notes.txt »"},
        {{"-"}, Action::Refuse, "argument en trop « - »"},
        {{"--", "--help"}, Action::Refuse, "argument en trop « --help »"},
    };
    for (const auto& row : rows) {
        std::string given;
        for (const std::string& argument : row.arguments) given += argument + " ";
        SCOPED_TRACE(given);
        const CommandLine read = ReadCommandLine(row.arguments);
        EXPECT_EQ(row.action, read.action);
        if (row.action != Action::Refuse) continue;
        EXPECT_EQ(0u, read.refusal.find(std::string("brumelis: ") + row.says)) << read.refusal;
        EXPECT_NE(std::string::npos, read.refusal.find("\nSaisissez « brumelis --help »"))
            << read.refusal;
    }
}

TEST(CommandLine, TheVersionIsTheVersionRecordsNumber) {
    // A version record the build could not read would leave its whole line.
    EXPECT_TRUE(std::regex_match(VersionText(),
                                 std::regex("brumelis \\(Brumelis\\) [0-9]+(\\.[0-9]+)+\n.*\n")))
        << VersionText();
}

}  // namespace
}  // namespace brumelis
