// The one way the Win32 backends report that the system refused something
// the program cannot start without: a std::system_error whose code is an
// HRESULT (a Win32 error code is carried as HRESULT_FROM_WIN32), so that the
// exit status it becomes means one thing.
#pragma once

#include "platform/win32/win32_support.h"

#include <system_error>

#include "platform/core_types.h"

namespace brumelis {

[[noreturn]] void ThrowResult(HRESULT result, const char* what);
// GetLastError as an HRESULT; E_FAIL when the system gave no code, so that a
// failure never reads as success.
[[noreturn]] void ThrowLastError(const char* what);

// The French message a failed start shows: what failed, and its code.
Text StartFailureText(const std::system_error& failure);

}  // namespace brumelis
