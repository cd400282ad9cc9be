#include "toolbar/toolbar_program.h"

#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_window.h"

namespace brumelis {

int RunToolbarProgram(WindowSystem& desktop, InstanceLock& startLock,
                      const ToolkitMaker& makeToolkit) {
    startLock.Acquire();
    const ReleaseAtScopeEnd release(&startLock);
    const std::unique_ptr<FormToolkit> toolkit = makeToolkit(ToolbarLayout());
    ToolbarWindow toolbar(desktop, *toolkit, toolkit->Window(), &startLock);
    return toolkit->Run(toolbar);
}

}  // namespace brumelis
