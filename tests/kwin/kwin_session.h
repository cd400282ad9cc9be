// What the KWin suites read and do in the session: KWin's windows as a
// one-shot test script reports them, the fake-input pointer, and calls made
// as a stranger would make them, from a connection of the test's own.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/line_process.h"

namespace brumelis::kwin_tests {

using test_support::LineProcess;

struct SeenWindow {
    std::string caption;
    int x = 0, y = 0, width = 0, height = 0;
    bool keepAbove = false;
    double opacity = 1;
    bool active = false;
    long pid = 0;
    bool normal = false;             // takes input: the toolbar's layer surface does not
    int stacking = 0;                // higher is nearer the top
    int surfaceX = 0, surfaceY = 0;  // the client's buffer, shadows included
};

// Loads a KWin script (OWNER in it stands for the test's bus name), runs
// `during` once it runs, and returns the first text it sends to OWNER's
// /example/zolvec/BrumelisTest example.zolvec.BrumelisTest1.Seen within `wait`; then unloads it.
std::optional<std::string> RunScript(const std::string& body, std::chrono::milliseconds wait,
                                     const std::function<void()>& during);
// Every window KWin has, read by a script loaded for the purpose; empty
// when the script did not answer within 5 seconds.
std::vector<SeenWindow> Windows();
std::optional<SeenWindow> WindowTitled(const std::string& caption);
// The first window of process `pid` that takes no input (the toolbar's
// layer surface).
std::optional<SeenWindow> SurfaceOf(long pid);
// Runs the script statement on the first window of process `pid` that takes
// input, the window named `w` (for example "w.keepAbove = true"); false when
// the script did not answer.
bool ActOnWindow(long pid, const std::string& statement);
// Whether KWin has a script loaded under `name`.
bool IsScriptLoaded(const std::string& name);
// Unloads the script loaded under `name`; false when KWin had none.
bool UnloadScript(const std::string& name);
// Lets a few milliseconds pass, serving the test's bus connection.
void Pause();

// Calls `method` of the object the program's script calls, on the unique
// name of process `pid`, from the test's connection; the D-Bus error's name,
// or "" when the call was accepted.
std::string CallAsStranger(long pid, const std::string& method, const std::string& arguments);

// Another program's global shortcut (the test's own kglobalaccel component)
// on the chord, until ForgetHeldChords; false when it was not given.
bool HoldChord(const std::string& chord);
void ForgetHeldChords();

// The fake-input pointer, authorised by a desktop file naming it.
class FakePointer {
public:
    // Connected on first use and kept. KWin reads desktop files once it
    // first looks one up (a program's window does): the test program
    // connects it before it starts any.
    static FakePointer* Shared();
    bool MoveTo(int x, int y);
    bool Press(int button = 1);
    bool Release(int button = 1);
    bool Click(int x, int y, int button = 1);
    // The chord's keys (Driver::PressKeys's names) pressed and let go.
    bool PressKeys(const std::string& chord);

private:
    explicit FakePointer(std::unique_ptr<LineProcess> process) : process_(std::move(process)) {}
    bool Ask(const std::string& line);
    std::unique_ptr<LineProcess> process_;
};

}  // namespace brumelis::kwin_tests
