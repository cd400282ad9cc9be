// The results of a run as a table a person can send: the system and display
// the run saw, then one line per test (passed, failed, skipped) with the
// first line of each failure. Printed at the end of the run and written to a
// text file, so that a run on a user's PC comes back as one file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brumelis::e2e {

class SelfTestReport : public testing::EmptyTestEventListener {
public:
    explicit SelfTestReport(std::wstring path) : path_(std::move(path)) {}

    void OnTestPartResult(const testing::TestPartResult& result) override;
    void OnTestEnd(const testing::TestInfo& test) override;
    void OnTestProgramEnd(const testing::UnitTest& run) override;

private:
    struct Row {
        std::string name;
        const char* verdict;
        std::string why;
        long long milliseconds;
    };
    std::wstring path_;
    std::string firstFailure_;
    std::vector<Row> rows_;
};

}  // namespace brumelis::e2e
