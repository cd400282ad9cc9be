#include "tests/e2e/e2e_options.h"

#include <windows.h>

namespace brumelis::e2e {
namespace {

Options& MutableOptions() {
    static Options options;
    return options;
}

std::wstring DirectoryOfThisProgram() {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path(buffer, length);
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

bool TakeValue(const std::wstring& argument, const std::wstring& name, std::wstring& value) {
    const std::wstring prefix = L"--" + name + L"=";
    if (argument.compare(0, prefix.size(), prefix) != 0) return false;
    value = NativePath(argument.substr(prefix.size()));
    return true;
}

}  // namespace

const Options& TheOptions() {
    return MutableOptions();
}

std::wstring NativePath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    std::wstring native = L"Z:" + path;
    for (wchar_t& c : native)
        if (c == L'/') c = L'\\';
    return native;
}

bool ParseOptions(int argc, wchar_t** argv, std::wstring& error) {
    Options& options = MutableOptions();
    options.brumelisPath = DirectoryOfThisProgram() + L"brumelis.exe";
    options.artifactsPath = DirectoryOfThisProgram() + L"artifacts";
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (TakeValue(argument, L"brumelis", options.brumelisPath)) continue;
        if (TakeValue(argument, L"artifacts", options.artifactsPath)) continue;
        if (TakeValue(argument, L"report", options.reportPath)) continue;
        error = L"unknown argument: " + argument;
        return false;
    }
    if (GetFileAttributesW(options.brumelisPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error = L"no program at " + options.brumelisPath;
        return false;
    }
    return true;
}

}  // namespace brumelis::e2e
