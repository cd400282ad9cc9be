// The Win32 platform tests' program. Run with the child switch, it is instead
// the toolbar with a handler that fails, for the test of the toolkit's
// reaction, which ends the process it happens in.
#include <gtest/gtest.h>

#include <cstring>

#include "base/failure.h"
#include "platform/win32/win32_toolkit.h"
#include "tests/platform/failing_handler_child.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis::platform_tests {
namespace {

// Fails in its first tick; any handler after that ends the process with a
// code the parent recognises, as no handler may run once the failure is out.
class FailingForm final : public FormEvents {
public:
    void Load() override { Enter(); }
    void Tick(ControlId) override {
        Enter();
        failed_ = true;
        RaiseOverflow(u"FailingForm.Tick");
    }
    void Click(ControlId) override { Enter(); }
    void DoubleClick(ControlId) override { Enter(); }
    void MouseDown(ControlId, const MouseEvent&) override { Enter(); }
    void MouseMove(ControlId, const MouseEvent&) override { Enter(); }

private:
    void Enter() const {
        if (failed_) ::ExitProcess(kHandlerRanAfterFailure);
    }
    bool failed_ = false;
};

// Returns only when the toolkit did not end the process itself.
int RunToolbarWithFailingHandler() {
    try {
        Win32Toolkit toolkit(::GetModuleHandleW(nullptr), ToolbarLayout());
        FailingForm form;
        toolkit.Run(form);
    } catch (const brumelis::SystemRefusal&) {
        return kToolbarNotBuilt;
    }
    return kLoopEndedByItself;
}

}  // namespace
}  // namespace brumelis::platform_tests

int main(int argc, char** argv) {
    using namespace brumelis::platform_tests;
    if (argc == 2 && std::strcmp(argv[1], kFailingHandlerSwitch) == 0) {
        return RunToolbarWithFailingHandler();
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
