// Lets copies of the program started together check for each other in turn:
// each takes the lock before its windows exist and gives it back once its
// instance check is done, so that two copies never count each other's
// windows at the same time and both give up. The title rule still decides.
#pragma once

namespace brumelis {

class InstanceLock {
public:
    virtual ~InstanceLock() = default;
    // Waits for the lock, but not for ever: a copy stuck in its start must
    // not keep the next one from starting (that one then goes by the title
    // rule alone, as it does where no lock can be had).
    virtual void Acquire() = 0;
    // Lets the next copy go on; does nothing when the lock is not held.
    virtual void Release() = 0;
};

// Gives the lock back on every way out of a scope, a failure included, so
// that a copy that cannot go on never holds up the next one for the lock's
// whole wait. No lock: nothing to give back.
class ReleaseAtScopeEnd {
public:
    explicit ReleaseAtScopeEnd(InstanceLock* lock) : lock_(lock) {}
    ~ReleaseAtScopeEnd() {
        if (lock_ != nullptr) lock_->Release();
    }
    ReleaseAtScopeEnd(const ReleaseAtScopeEnd&) = delete;
    ReleaseAtScopeEnd& operator=(const ReleaseAtScopeEnd&) = delete;

private:
    InstanceLock* lock_;
};

}  // namespace brumelis
