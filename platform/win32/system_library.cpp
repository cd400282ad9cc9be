#include "platform/win32/system_library.h"

#include <cwchar>

namespace brumelis {

HMODULE LoadSystemLibrary(const wchar_t* name, LoadLibraryExCall load,
                          SystemDirectoryCall systemDirectory) {
    HMODULE module = load(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != nullptr || ::GetLastError() != ERROR_INVALID_PARAMETER) return module;
    wchar_t path[MAX_PATH];
    const UINT length = systemDirectory(path, MAX_PATH);
    const std::size_t nameLength = std::wcslen(name);
    // Too long or unreadable: no path at all rather than a search.
    if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
    path[length] = L'\\';
    std::wmemcpy(path + length + 1, name, nameLength + 1);
    return load(path, nullptr, 0);
}

}  // namespace brumelis
