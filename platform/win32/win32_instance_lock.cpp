#include "platform/win32/win32_instance_lock.h"

namespace brumelis {

namespace {

// Far longer than a start, which creates two windows and walks the window
// list; short enough that a stuck copy does not look like a failed start.
constexpr DWORD kLongestWait = 10000;

}  // namespace

Win32InstanceLock::~Win32InstanceLock() {
    Release();
    if (mutex_ != nullptr) ::CloseHandle(mutex_);
}

void Win32InstanceLock::Acquire() {
    if (held_) return;
    if (mutex_ == nullptr) mutex_ = ::CreateMutexW(nullptr, FALSE, name_);
    if (mutex_ == nullptr) return;  // no lock to be had: the title rule alone
    // Abandoned: a copy ended during its start; the lock is ours all the same.
    const DWORD result = ::WaitForSingleObject(mutex_, kLongestWait);
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void Win32InstanceLock::Release() {
    if (!held_) return;
    ::ReleaseMutex(mutex_);
    held_ = false;
}

}  // namespace brumelis
