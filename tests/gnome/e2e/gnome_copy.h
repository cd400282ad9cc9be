// One copy of the brumelis program in the headless Shell, ended by its
// process id; its windows found in the Shell's list by their process.
#pragma once

#include <sys/types.h>

#include <optional>
#include <set>
#include <string>

#include "tests/gnome/test_shell.h"
#include "tests/scenarios/driver.h"

namespace brumelis::gnome_tests {

class GnomeCopy : public scenarios::ToolbarCopy {
public:
    // Started in the C locale, so that GTK labels its buttons in English.
    // Each toolbar window seen is added to `toolbars`.
    GnomeCopy(TestShell& shell, std::set<std::uint32_t>& toolbars);
    ~GnomeCopy() override;
    GnomeCopy(const GnomeCopy&) = delete;
    GnomeCopy& operator=(const GnomeCopy&) = delete;

    bool Started() const override { return pid_ > 0; }
    bool IsRunning() override;
    bool WaitForExit() override;
    std::optional<int> ExitCode() override { return exitCode_; }
    scenarios::WindowId Toolbar() override;
    // As a screen reader reads it, over AT-SPI.
    std::optional<std::string> PinCaption() override;
    // Only the title of a GTK message box shows in the Shell's list.
    std::optional<scenarios::MessageBoxReading> Box() override;
    // With the keys GTK gives the buttons in the C locale, once the box has
    // the focus.
    bool Answer(const scenarios::MessageBoxReading& box, scenarios::Answer answer) override;

private:
    TestShell& shell_;
    std::set<std::uint32_t>& toolbars_;
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

}  // namespace brumelis::gnome_tests
