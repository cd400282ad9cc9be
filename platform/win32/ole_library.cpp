#include "platform/win32/ole_library.h"

#include "platform/win32/system_library.h"
#include "platform/win32/win32_support.h"

namespace brumelis {

FARPROC OleEntry(const wchar_t* module, const char* name) {
    HMODULE handle = LoadSystemLibrary(module);
    if (handle == nullptr) ThrowLastError("LoadLibraryExW");
    const FARPROC entry = ::GetProcAddress(handle, name);
    if (entry == nullptr) ThrowLastError(name);
    return entry;
}

void InitializeOle() {
    using OleInitializeCall = HRESULT(WINAPI*)(void*);
    static const HRESULT result =
        OleEntry<OleInitializeCall>(L"ole32.dll", "OleInitialize")(nullptr);
    if (FAILED(result)) ThrowResult(result, "OleInitialize");
}

}  // namespace brumelis
