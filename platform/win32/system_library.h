// Libraries loaded at run time come from the system folder only. Searched
// by bare name, the program's own folder comes first (the portable zip runs
// from Downloads), where anyone who drops a dwmapi.dll beside it runs code
// in the program.
#pragma once

#include <windows.h>

namespace brumelis {

using LoadLibraryExCall = HMODULE(WINAPI*)(LPCWSTR, HANDLE, DWORD);
using SystemDirectoryCall = UINT(WINAPI*)(LPWSTR, UINT);

// LOAD_LIBRARY_SEARCH_SYSTEM32; where the system does not know the flag
// (Windows 7 without KB2533623: ERROR_INVALID_PARAMETER), the library's full
// path in the system folder. nullptr, with the last error, when neither loads.
HMODULE LoadSystemLibrary(const wchar_t* name, LoadLibraryExCall load = ::LoadLibraryExW,
                          SystemDirectoryCall systemDirectory = ::GetSystemDirectoryW);

}  // namespace brumelis
