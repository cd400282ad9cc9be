#include "platform/win32/deferred_style_writes.h"

#include <algorithm>

namespace brumelis {

namespace {

class Locked {
public:
    explicit Locked(CRITICAL_SECTION& lock) : lock_(lock) { ::EnterCriticalSection(&lock_); }
    ~Locked() { ::LeaveCriticalSection(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& lock_;
};

}  // namespace

DeferredStyleWrites& DeferredStyleWrites::Instance() {
    // Never destroyed: see the header.
    static DeferredStyleWrites* const instance = new DeferredStyleWrites;
    return *instance;
}

DeferredStyleWrites::DeferredStyleWrites() {
    ::InitializeCriticalSection(&lock_);
}

DeferredStyleWrites::Pending* DeferredStyleWrites::Find(HWND window) {
    const auto it = std::find_if(pending_.begin(), pending_.end(),
                                 [window](const Pending& p) { return p.window == window; });
    return it == pending_.end() ? nullptr : &*it;
}

void DeferredStyleWrites::Write(HWND window, LONG exStyle) {
    if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
        ::SetWindowLongA(window, GWL_EXSTYLE, exStyle);
        return;
    }
    {
        Locked locked(lock_);
        if (Pending* pending = Find(window)) {
            pending->exStyle = exStyle;
            pending->styleToWrite = true;
            return;  // its worker picks the new value up
        }
        pending_.push_back(Pending{window, exStyle, true, false, 0, 0, 0});
    }
    // A long function: the worker may wait for as long as the window sleeps.
    if (!::QueueUserWorkItem(&DeferredStyleWrites::Work, window, WT_EXECUTELONGFUNCTION)) {
        // No worker to be had: the write is dropped, as a failed call is.
        Locked locked(lock_);
        pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                      [window](const Pending& p) { return p.window == window; }),
                       pending_.end());
    }
}

bool DeferredStyleWrites::DeferAlpha(HWND window, COLORREF colorKey, BYTE alpha, DWORD flags) {
    Locked locked(lock_);
    Pending* pending = Find(window);
    if (pending == nullptr) return false;
    pending->alphaToApply = true;
    pending->colorKey = colorKey;
    pending->alpha = alpha;
    pending->flags = flags;
    return true;
}

DWORD WINAPI DeferredStyleWrites::Work(void* window) {
    Instance().Finish(static_cast<HWND>(window));
    return 0;
}

// Writes the latest style, then applies the latest alpha, until nothing new
// came in meanwhile; the entry goes only then, so that later calls keep
// deferring to this worker rather than overtaking it.
void DeferredStyleWrites::Finish(HWND window) {
    for (;;) {
        Pending step{};
        {
            Locked locked(lock_);
            Pending* pending = Find(window);
            if (pending == nullptr) return;
            if (!pending->styleToWrite && !pending->alphaToApply) {
                pending_.erase(pending_.begin() + (pending - pending_.data()));
                return;
            }
            step = *pending;
            pending->styleToWrite = false;
            if (!step.styleToWrite) pending->alphaToApply = false;
        }
        if (step.styleToWrite) {
            ::SetWindowLongA(window, GWL_EXSTYLE, step.exStyle);
        } else {
            ::SetLayeredWindowAttributes(window, step.colorKey, step.alpha, step.flags);
        }
    }
}

}  // namespace brumelis
