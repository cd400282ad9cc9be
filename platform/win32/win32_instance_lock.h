// The start lock over a named mutex of the session: the title rule is per
// desktop, and so is the name.
#pragma once

#include <windows.h>

#include "platform/instance_lock.h"

namespace brumelis {

class Win32InstanceLock final : public InstanceLock {
public:
    explicit Win32InstanceLock(const wchar_t* name) : name_(name) {}
    ~Win32InstanceLock() override;
    Win32InstanceLock(const Win32InstanceLock&) = delete;
    Win32InstanceLock& operator=(const Win32InstanceLock&) = delete;

    void Acquire() override;
    void Release() override;

private:
    const wchar_t* name_;
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

}  // namespace brumelis
