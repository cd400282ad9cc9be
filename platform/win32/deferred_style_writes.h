// Extended-style writes on windows of other threads, done on a worker so that
// the UI thread never waits. user32 hands such a write to the window's own
// thread and waits for its answer, even when the style does not change: a
// hung target held the toolbar's loop for as long as it slept (measured under
// Wine; the same on Windows). Opacity set on a window whose write is still
// pending is kept, the last one winning, and applied right after the write:
// before it the window is not layered and refuses any alpha.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace brumelis {

class DeferredStyleWrites {
public:
    // The one instance; it lives until the process ends, as a worker may
    // still be waiting on a hung window when the program returns.
    static DeferredStyleWrites& Instance();

    // Writes the extended style now when the window belongs to the calling
    // thread, on a worker otherwise. A later write to the same window replaces
    // one still waiting.
    void Write(HWND window, LONG exStyle);
    // When a write on the window is pending, keeps the alpha for after it and
    // returns true; false means: apply it now.
    bool DeferAlpha(HWND window, COLORREF colorKey, BYTE alpha, DWORD flags);

private:
    struct Pending {
        HWND window;
        LONG exStyle;
        bool styleToWrite;
        bool alphaToApply;
        COLORREF colorKey;
        BYTE alpha;
        DWORD flags;
    };

    DeferredStyleWrites();
    static DWORD WINAPI Work(void* window);
    void Finish(HWND window);
    Pending* Find(HWND window);

    CRITICAL_SECTION lock_;
    std::vector<Pending> pending_;
};

}  // namespace brumelis
