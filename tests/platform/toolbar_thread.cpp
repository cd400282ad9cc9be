#include "tests/platform/toolbar_thread.h"

#include "platform/win32/win32_toolkit.h"
#include "tests/support/win32_wait.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis::platform_tests {

using namespace test_support;

namespace {

// The panel a control sits in, as the layout nests them.
ControlId ContainerOf(ControlId control) {
    for (const ControlLayout& layout : ToolbarLayout().controls) {
        if (layout.id == control) return layout.container;
    }
    return kFormWindowId;
}

LONG Pixels(Twips twips) {
    return static_cast<LONG>(twips) / kTwipsPerPixel;
}

}  // namespace

ToolbarThread::ToolbarThread(RecordingFormEvents& events, POINT topLeft)
    : events_(events), topLeft_(topLeft) {
    ready_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = ::CreateThread(nullptr, 0, &ToolbarThread::Main, this, 0, &threadId_);
    if (thread_ == nullptr) return;
    const bool built =
        ::WaitForSingleObject(ready_, static_cast<DWORD>(kStateTimeout.count())) == WAIT_OBJECT_0;
    // Shown and loaded: Run delivers Load before it shows the window.
    started_ = built && toolbar_ != nullptr &&
               WaitUntil([&] { return ::IsWindowVisible(toolbar_) != FALSE; }) &&
               events_.WaitUntil(
                   [](const RecordingFormEvents::Events& recorded) {
                       return !recorded.empty() && recorded.front().kind == EventKind::Load;
                   },
                   kStateTimeout);
}

ToolbarThread::~ToolbarThread() {
    if (thread_ != nullptr) {
        // Destroying the toolbar posts the quit message that ends Run.
        if (toolbar_ != nullptr) ::PostMessageW(toolbar_, WM_CLOSE, 0, 0);
        ::WaitForSingleObject(thread_, INFINITE);
        ::CloseHandle(thread_);
    }
    ::CloseHandle(ready_);
}

DWORD WINAPI ToolbarThread::Main(void* self) {
    static_cast<ToolbarThread*>(self)->Run();
    return 0;
}

void ToolbarThread::Run() {
    try {
        Win32Toolkit toolkit(::GetModuleHandleW(nullptr), ToolbarLayout());
        toolkit.Window().Move(static_cast<Twips>(topLeft_.x * kTwipsPerPixel),
                              static_cast<Twips>(topLeft_.y * kTwipsPerPixel));
        toolbar_ = ToHwnd(toolkit.Window().Handle());
        window_ = &toolkit.Window();
        ::SetEvent(ready_);
        toolkit.Run(events_);
        window_ = nullptr;
    } catch (const brumelis::SystemRefusal&) {
        ::SetEvent(ready_);  // toolbar_ stays null: Started() says no
    }
}

RECT ToolbarThread::ScreenRectOf(ControlId control) const {
    RECT toolbar{};
    ::GetWindowRect(toolbar_, &toolbar);
    RECT rect{toolbar.left, toolbar.top, toolbar.right, toolbar.bottom};
    if (control == kFormWindowId) return rect;
    const ControlGeometry own = window_->Geometry(control);
    LONG left = toolbar.left + Pixels(own.left);
    LONG top = toolbar.top + Pixels(own.top);
    for (ControlId c = ContainerOf(control); c != kFormWindowId; c = ContainerOf(c)) {
        const ControlGeometry container = window_->Geometry(c);
        left += Pixels(container.left);
        top += Pixels(container.top);
    }
    return RECT{left, top, left + Pixels(own.width), top + Pixels(own.height)};
}

}  // namespace brumelis::platform_tests
