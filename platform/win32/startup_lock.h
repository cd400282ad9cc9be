// Serialises the start of copies of the program in one session: taken before
// the toolbar's windows exist, released once the instance check is done, so
// that two copies started together cannot both count each other's windows
// and both give up. The title rule still decides.
#pragma once

#include <windows.h>

namespace brumelis {

class StartupLock {
public:
    // Waits for the lock, but not for ever: a copy stuck in its start must
    // not keep the next from starting (that one then goes by the title rule
    // alone).
    explicit StartupLock(const wchar_t* name);
    ~StartupLock();
    StartupLock(const StartupLock&) = delete;
    StartupLock& operator=(const StartupLock&) = delete;

    // Lets the next copy start; later calls do nothing.
    void Release();

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

}  // namespace brumelis
