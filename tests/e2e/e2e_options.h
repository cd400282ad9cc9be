// Where the driver finds the program under test and puts its artifacts; set
// once from the command line before the tests run.
#pragma once

#include <string>

namespace brumelis::e2e {

struct Options {
    std::wstring brumelisPath;   // the toolbar program to start
    std::wstring artifactsPath;  // a directory for screenshots, created on demand
    std::wstring reportPath;     // the results table's file; none when empty
};

const Options& TheOptions();

// Takes --brumelis=PATH, --artifacts=DIR and --report=FILE out of the arguments left after
// GoogleTest's own; unknown arguments are an error.
bool ParseOptions(int argc, wchar_t** argv, std::wstring& error);

// A POSIX absolute path ("/work/x") becomes the Wine drive path ("Z:\work\x"),
// so the build can hand its own paths to the driver; others pass unchanged.
std::wstring NativePath(const std::wstring& path);

}  // namespace brumelis::e2e
