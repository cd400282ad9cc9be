// The Windows program: the Win32 window system and form toolkit wired into
// the toolbar window.
#include <windows.h>

#include "platform/win32/win32_toolkit.h"
#include "platform/win32/win32_window_system.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    brumelis::Win32WindowSystem desktop;
    try {
        brumelis::Win32Toolkit toolkit(instance, brumelis::ToolbarLayout());
        brumelis::ToolbarWindow toolbar(desktop, toolkit, toolkit.Window());
        return toolkit.Run(toolbar);
    } catch (const brumelis::SystemRefusal& failure) {
        // The toolbar could not be built: nothing to show it with.
        return static_cast<int>(failure.Code());
    }
}
