// Libraries loaded at run time come from the system folder, never from a
// search that starts in the program's folder: the loads as recorded.
#include <gtest/gtest.h>

#include <cctype>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/win32/system_library.h"

namespace brumelis::platform_tests {
namespace {

std::vector<std::string> loads;
DWORD flagError = ERROR_SUCCESS;  // what a load with the flag fails with
HMODULE const kLoaded = reinterpret_cast<HMODULE>(0x4000);

std::string Narrow(const wchar_t* text) {
    std::string narrow;
    for (; *text != L'\0'; ++text) narrow += static_cast<char>(*text);
    return narrow;
}

HMODULE WINAPI RecordLoad(LPCWSTR name, HANDLE, DWORD flags) {
    loads.push_back("LoadLibraryExW(" + Narrow(name) + ", " + std::to_string(flags) + ")");
    if (flags != 0 && flagError != ERROR_SUCCESS) {
        ::SetLastError(flagError);
        return nullptr;
    }
    return kLoaded;
}

UINT WINAPI SystemFolder(LPWSTR folder, UINT size) {
    const std::wstring path = L"C:\\windows\\system32";
    if (size <= path.size()) return static_cast<UINT>(path.size() + 1);
    path.copy(folder, path.size());
    folder[path.size()] = L'\0';
    return static_cast<UINT>(path.size());
}

struct LoadCase {
    const char* situation;
    DWORD flagError;
    bool loaded;
    std::vector<std::string> calls;
};

class SystemLibrary : public ::testing::TestWithParam<LoadCase> {};

TEST_P(SystemLibrary, IsLoadedFromTheSystemFolderOnly) {
    loads.clear();
    flagError = GetParam().flagError;
    const HMODULE module = LoadSystemLibrary(L"dwmapi.dll", &RecordLoad, &SystemFolder);
    EXPECT_EQ(GetParam().loaded, module != nullptr);
    EXPECT_EQ(GetParam().calls, loads);
}

// 2048: LOAD_LIBRARY_SEARCH_SYSTEM32.
INSTANTIATE_TEST_SUITE_P(
    Loads, SystemLibrary,
    ::testing::Values(
        LoadCase{"with the flag", ERROR_SUCCESS, true, {"LoadLibraryExW(dwmapi.dll, 2048)"}},
        // A library missing from the system folder is not looked for elsewhere.
        LoadCase{"missing", ERROR_MOD_NOT_FOUND, false, {"LoadLibraryExW(dwmapi.dll, 2048)"}},
        LoadCase{"flag unknown to the system: its full path",
                 ERROR_INVALID_PARAMETER,
                 true,
                 {"LoadLibraryExW(dwmapi.dll, 2048)",
                  "LoadLibraryExW(C:\\windows\\system32\\dwmapi.dll, 0)"}}),
    [](const auto& c) {
        std::string name;
        for (const char* p = c.param.situation; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

// The real system: the module loaded is the system folder's.
TEST(SystemLibraryUnderTheSystem, ComesFromTheSystemFolder) {
    const HMODULE module = LoadSystemLibrary(L"dwmapi.dll");
    ASSERT_NE(nullptr, module);
    wchar_t path[MAX_PATH], folder[MAX_PATH];
    ASSERT_NE(0u, ::GetModuleFileNameW(module, path, MAX_PATH));
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    ASSERT_NE(0u, length);
    EXPECT_EQ(0, ::_wcsnicmp(path, folder, length)) << Narrow(path);
}

}  // namespace
}  // namespace brumelis::platform_tests
