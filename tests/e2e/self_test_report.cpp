#include "tests/e2e/self_test_report.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

namespace brumelis::e2e {
namespace {

std::string RegistryText(const wchar_t* name) {
    wchar_t value[128] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", name,
                     RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "?";
    char utf8[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, value, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

// What the results depend on: the system, Wine or not, the display's scale.
std::string System() {
    std::ostringstream out;
    out << RegistryText(L"ProductName") << " (build " << RegistryText(L"CurrentBuild") << ")";
    using WineVersion = const char*(__cdecl*)();
    if (const auto wine = reinterpret_cast<WineVersion>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))))
        out << ", Wine " << wine();
    HDC screen = GetDC(nullptr);
    out << ", " << GetSystemMetrics(SM_CXSCREEN) << "x" << GetSystemMetrics(SM_CYSCREEN) << " at "
        << GetDeviceCaps(screen, LOGPIXELSX) << " dpi, " << GetSystemMetrics(SM_CMONITORS)
        << " monitor(s)";
    ReleaseDC(nullptr, screen);
    return out.str();
}

}  // namespace

void SelfTestReport::OnTestPartResult(const testing::TestPartResult& result) {
    if (!result.failed() || !firstFailure_.empty()) return;
    std::string message = result.message();
    message = message.substr(0, message.find('\n'));
    firstFailure_ = std::string(result.file_name() ? result.file_name() : "") + ":" +
                    std::to_string(result.line_number()) + ": " + message;
}

void SelfTestReport::OnTestEnd(const testing::TestInfo& test) {
    const testing::TestResult& result = *test.result();
    const char* verdict = result.Failed() ? "FAILED" : result.Skipped() ? "skipped" : "passed";
    rows_.push_back({std::string(test.test_suite_name()) + "." + test.name(), verdict,
                     firstFailure_, static_cast<long long>(result.elapsed_time())});
    firstFailure_.clear();
}

void SelfTestReport::OnTestProgramEnd(const testing::UnitTest& run) {
    std::ostringstream table;
    table << "Brumelis self-test\n" << System() << "\n\n";
    table << "| test | result | ms | first failure |\n|---|---|---|---|\n";
    for (const Row& row : rows_)
        table << "| " << row.name << " | " << row.verdict << " | " << row.milliseconds << " | "
              << row.why << " |\n";
    table << "\n"
          << run.successful_test_count() << " passed, " << run.failed_test_count() << " failed, "
          << run.skipped_test_count() << " skipped\n";
    const std::string text = table.str();
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    FILE* file = _wfopen(path_.c_str(), L"wb");
    if (file == nullptr) {
        std::fwprintf(stderr, L"could not write %ls\n", path_.c_str());
        return;
    }
    std::fputs(text.c_str(), file);
    std::fclose(file);
    std::wprintf(L"results written to %ls\n", path_.c_str());
}

}  // namespace brumelis::e2e
