#include "platform/win32/startup_lock.h"

namespace brumelis {

namespace {

// Far longer than a start, which creates two windows and walks the window
// list; short enough that a stuck copy does not look like a failed start.
constexpr DWORD kLongestWait = 10000;

}  // namespace

StartupLock::StartupLock(const wchar_t* name) {
    mutex_ = ::CreateMutexW(nullptr, FALSE, name);
    if (mutex_ == nullptr) return;  // no lock to be had: the title rule alone
    // Abandoned: a copy ended during its start; the lock is ours all the same.
    const DWORD result = ::WaitForSingleObject(mutex_, kLongestWait);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

StartupLock::~StartupLock() {
    Release();
    if (mutex_ != nullptr) ::CloseHandle(mutex_);
}

void StartupLock::Release() {
    if (!held_) return;
    ::ReleaseMutex(mutex_);
    held_ = false;
}

}  // namespace brumelis
