// A failure that escapes a handler of the Win32 toolkit: the French run-time
// error report in a message box, then the end of the program. The toolkit
// ends its process, so the toolbar runs in a child run of this program.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/runtime_error_report.h"
#include "platform/win32/win32_support.h"
#include "tests/platform/failing_handler_child.h"
#include "tests/support/win32_wait.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis::platform_tests {

using namespace test_support;
namespace {

Text WindowText(HWND window) {
    wchar_t text[512] = {};
    return FromWide(text, ::GetWindowTextW(window, text, 512));
}

std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// The child run, ended by its handle when the test leaves it running.
class ChildRun {
public:
    ChildRun() {
        wchar_t self[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(self) + L"\" ";
        for (const char* c = kFailingHandlerSwitch; *c != '\0'; ++c) command += wchar_t(*c);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = ::CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &startup, &process_) != FALSE;
        if (started_) ::CloseHandle(process_.hThread);
    }
    ~ChildRun() {
        if (!started_) return;
        if (Running()) ::TerminateProcess(process_.hProcess, 1);
        ::CloseHandle(process_.hProcess);
    }
    ChildRun(const ChildRun&) = delete;
    ChildRun& operator=(const ChildRun&) = delete;

    bool Started() const { return started_; }
    bool Running() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD Id() const { return process_.dwProcessId; }
    bool WaitForEnd() const {
        return ::WaitForSingleObject(process_.hProcess,
                                     static_cast<DWORD>(kStateTimeout.count())) == WAIT_OBJECT_0;
    }
    DWORD ExitCode() const {
        DWORD code = 0;
        ::GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

struct FindBox {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<FindBox*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window) && ClassName(window) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND MessageBoxOf(DWORD processId) {
    FindBox search{processId, nullptr};
    ::EnumWindows(&FindVisibleDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The box's message: the text of its static controls that are not its icon.
Text MessageOf(HWND box) {
    Text text;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (::IsWindowVisible(child) && ClassName(child) == L"Static" &&
            (style & SS_TYPEMASK) != SS_ICON) {
            text += WindowText(child);
        }
    }
    return text;
}

std::string Outcome(const ChildRun& child) {
    if (child.Running()) return "still running";
    switch (child.ExitCode()) {
        case 0: return "ended by the toolkit";
        case kHandlerRanAfterFailure: return "a handler ran after the failure";
        case kLoopEndedByItself: return "the message loop ended by itself";
        case kToolbarNotBuilt: return "the toolbar could not be built";
        default: return "ended with " + std::to_string(child.ExitCode());
    }
}

Text OverflowReport() {
    try {
        RaiseOverflow(u"FailingForm.Tick");
    } catch (const Failure& failure) {
        return RuntimeErrorReportText(failure);
    }
    return Text();
}

TEST(Win32RuntimeErrorReport, FailureOutOfAHandlerShowsTheFrenchReportThenEndsTheProgram) {
    ChildRun child;
    ASSERT_TRUE(child.Started());
    HWND box = nullptr;
    WaitUntil([&] { return (box = MessageBoxOf(child.Id())) != nullptr || !child.Running(); });
    ASSERT_NE(nullptr, box) << "no report: " << Outcome(child);

    const Text message = MessageOf(box);
    EXPECT_EQ(OverflowReport(), message);
    EXPECT_EQ(0u, message.find(u"Erreur d'exécution '6'")) << "the accent reaches the screen";
    EXPECT_EQ(ToolbarLayout().applicationTitle, WindowText(box));
    // Ticks keep coming while the report is up, and none may reach a handler:
    // the child would end itself at once.
    EXPECT_TRUE(HoldsFor([&] { return child.Running() && ::IsWindow(box); }, Milliseconds{500}))
        << Outcome(child);

    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(child.WaitForEnd()) << "the program went on after the report";
    EXPECT_EQ(0u, child.ExitCode()) << Outcome(child);
}

}  // namespace
}  // namespace brumelis::platform_tests
