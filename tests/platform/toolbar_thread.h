// The Win32 toolkit with the toolbar's layout, built and run on a thread of
// its own with its own message loop, so that the test's thread can send real
// input and wait on what the toolkit delivers.
#pragma once

#include <memory>

#include "platform/win32/win32_support.h"
#include "tests/platform/recording_form_events.h"

namespace brumelis::platform_tests {

class ToolbarThread {
public:
    // Builds the toolbar, places its top-left corner at `topLeft` (screen
    // pixels) and runs it; Started() tells whether it came up, loaded and shown.
    ToolbarThread(RecordingFormEvents& events, POINT topLeft);
    // Closes the toolbar and waits for its thread.
    ~ToolbarThread();
    ToolbarThread(const ToolbarThread&) = delete;
    ToolbarThread& operator=(const ToolbarThread&) = delete;

    bool Started() const { return started_; }
    HWND Toolbar() const { return toolbar_; }
    DWORD ThreadId() const { return threadId_; }
    // Used from the toolkit's thread, except for reading geometry.
    FormWindow& Window() const { return *window_; }
    // The control's area on the screen, from the geometry the form reports.
    RECT ScreenRectOf(ControlId control) const;

private:
    static DWORD WINAPI Main(void* self);
    void Run();

    RecordingFormEvents& events_;
    POINT topLeft_;
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    HWND toolbar_ = nullptr;
    FormWindow* window_ = nullptr;
    bool started_ = false;
};

}  // namespace brumelis::platform_tests
