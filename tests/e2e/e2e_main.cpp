// The driver's entry point: GoogleTest's flags first, then the driver's own.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/e2e_options.h"
#include "tests/e2e/self_test_report.h"
#include "tests/e2e/test_watchdog.h"

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    testing::InitGoogleTest(&argc, argv);
    std::wstring error;
    if (!brumelis::e2e::ParseOptions(argc, argv, error)) {
        std::fwprintf(stderr,
                      L"%ls\nusage: brumelis_e2e [gtest flags] [--brumelis=PATH] [--artifacts=DIR] "
                      L"[--report=FILE]\n",
                      error.c_str());
        return 2;
    }
    // Every wait in a test has a deadline of seconds; a minute means stuck.
    testing::UnitTest::GetInstance()->listeners().Append(
        new brumelis::e2e::TestWatchdog(std::chrono::seconds(60)));
    // The self-test's table, for a person to send back.
    if (!brumelis::e2e::TheOptions().reportPath.empty())
        testing::UnitTest::GetInstance()->listeners().Append(
            new brumelis::e2e::SelfTestReport(brumelis::e2e::TheOptions().reportPath));
    std::wprintf(L"program under test: %ls\n", brumelis::e2e::TheOptions().brumelisPath.c_str());
    std::fflush(stdout);
    return RUN_ALL_TESTS();
}
