// OLE's libraries are loaded at run time, not linked: the folded tile needs
// none of them, and they were the larger part of the start-up. The slider's
// image and the screen readers' objects load them on first need.
#pragma once

#include <windows.h>

namespace brumelis {

// The entry point of a system library; throws SystemRefusal when either is
// missing.
FARPROC OleEntry(const wchar_t* module, const char* name);
template <typename Function>
Function OleEntry(const wchar_t* module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(OleEntry(module, name)));
}

// Sets up OLE once on the toolbar's thread (the picture loader needs it, as
// does handing an object to another process; Wine's sets it up itself,
// Windows' not). Throws SystemRefusal when it cannot.
void InitializeOle();

}  // namespace brumelis
