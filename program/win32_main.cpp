// The Windows program: the Win32 window system and form toolkit wired into
// the toolbar window.
#include <windows.h>

#include <memory>

#include "platform/win32/display_scale.h"
#include "platform/win32/start_failure.h"
#include "platform/win32/win32_instance_lock.h"
#include "platform/win32/win32_key_source.h"
#include "platform/win32/win32_support.h"
#include "platform/win32/win32_toolkit.h"
#include "platform/win32/win32_window_system.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_program.h"

namespace {

// One name per session, as the title rule is per desktop.
constexpr wchar_t kStartupLockName[] = L"Local\\BrumelisZOLVEC.start-up";

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    brumelis::BecomeDpiAware();
    const brumelis::FormLayout& layout = brumelis::ToolbarLayout();
    brumelis::Win32WindowSystem desktop;
    try {
        brumelis::Win32InstanceLock startLock(kStartupLockName);
        // Without its window there are no keys; the mouse still works.
        std::unique_ptr<brumelis::Win32KeySource> keys;
        try {
            keys = std::make_unique<brumelis::Win32KeySource>(instance);
        } catch (const brumelis::SystemRefusal&) {
        }
        return brumelis::RunToolbarProgram(
            desktop, startLock,
            [instance](const brumelis::FormLayout& form) {
                return std::make_unique<brumelis::Win32Toolkit>(instance, form);
            },
            keys.get());
    } catch (const brumelis::SystemRefusal& failure) {
        ::MessageBoxW(nullptr, brumelis::Wide(brumelis::StartFailureText(failure)),
                      brumelis::Wide(layout.applicationTitle), MB_OK | MB_ICONERROR);
        return static_cast<int>(failure.Code());
    }
}
