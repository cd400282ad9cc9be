#include "toolbar/toolbar_program.h"

#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_window.h"

namespace brumelis {

namespace {

// Releases on every way out, so that a toolkit that cannot be built does not
// hold up the next copy for the lock's whole wait.
class HeldLock {
public:
    explicit HeldLock(InstanceLock& lock) : lock_(lock) { lock_.Acquire(); }
    ~HeldLock() { lock_.Release(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    InstanceLock& lock_;
};

}  // namespace

int RunToolbarProgram(WindowSystem& desktop, InstanceLock& startLock,
                      const ToolkitMaker& makeToolkit) {
    const HeldLock held(startLock);
    const std::unique_ptr<FormToolkit> toolkit = makeToolkit(ToolbarLayout());
    ToolbarWindow toolbar(desktop, *toolkit, toolkit->Window(), &startLock);
    return toolkit->Run(toolbar);
}

}  // namespace brumelis
