// The Linux program's command line, read as GNU programs read theirs: --help
// and --version (or a prefix that names one) print to the standard output
// and end with status 0, before any display is needed, as --autostart and
// --no-autostart turn the start at log-in on and off; anything else is
// refused with a message for the error output and status 2.
#pragma once

#include <string>
#include <vector>

namespace brumelis {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, AutostartOn, AutostartOff, Refuse };
    Action action;
    std::string refusal;  // Refuse: what to write on the error output (UTF-8)
};

// The arguments after the program's name. The first option that decides
// wins, as getopt_long stops at the first option it acts on or error.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

std::string HelpText();
std::string VersionText();

}  // namespace brumelis
