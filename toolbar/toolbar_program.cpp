#include "toolbar/toolbar_program.h"

#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_window.h"

namespace brumelis {

int RunToolbarProgram(WindowSystem& desktop, InstanceLock& startLock,
                      const ToolkitMaker& makeToolkit, KeySource* keys) {
    startLock.Acquire();
    const ReleaseAtScopeEnd release(&startLock);
    const std::unique_ptr<FormToolkit> toolkit = makeToolkit(ToolbarLayout());
    // Presses after the toolkit has gone reach nothing.
    struct Unhook {
        KeySource* keys;
        ~Unhook() {
            if (keys != nullptr) keys->OnPress(nullptr);
        }
    } unhook{keys};
    if (keys != nullptr)
        keys->OnPress([&toolkit = *toolkit](ShortcutId shortcut) { toolkit.Shortcut(shortcut); });
    ToolbarWindow toolbar(desktop, *toolkit, toolkit->Window(), &startLock, keys);
    return toolkit->Run(toolbar);
}

}  // namespace brumelis
