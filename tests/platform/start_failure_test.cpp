// The message a failed start shows: the refused call and its HRESULT.
#include <gtest/gtest.h>

#include "platform/win32/start_failure.h"
#include "platform/win32/win32_support.h"

namespace brumelis::platform_tests {
namespace {

struct StartFailureCase {
    long code;
    const char* call;
    const char16_t* text;
    const char* reason;
};

class StartFailureTextTest : public ::testing::TestWithParam<StartFailureCase> {};

TEST_P(StartFailureTextTest, NamesTheCallAndItsCode) {
    const StartFailureCase& row = GetParam();
    EXPECT_EQ(StartFailureText(SystemRefusal(row.code, row.call)), Text(row.text)) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StartFailureTextTest,
    ::testing::Values(
        StartFailureCase{
            E_FAIL, "OleInitialize",
            u"Brumelis n'a pas pu démarrer : OleInitialize a échoué (code 0x80004005).",
            "a negative HRESULT reads as its unsigned 32 bits"},
        StartFailureCase{HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY), "CreateWindowExW (owner)",
                         u"Brumelis n'a pas pu démarrer : CreateWindowExW (owner) a échoué "
                         u"(code 0x80070008).",
                         "a Win32 error as an HRESULT; the call's name whole"},
        StartFailureCase{0x1A, "LoadResource",
                         u"Brumelis n'a pas pu démarrer : LoadResource a échoué (code 0x0000001A).",
                         "eight digits, capital letters"}));

}  // namespace
}  // namespace brumelis::platform_tests
