// The start of the link to Brumelis's Shell extension over the session bus:
// whether the Shell and the extension answer, and what the user must do
// when they do not.
#pragma once

#include <memory>
#include <optional>
#include <variant>

#include "base/core_types.h"
#include "platform/gnome/extension_problem.h"
#include "platform/gnome/gnome_window_system.h"
#include "platform/gnome/shell_link.h"

namespace brumelis {

// Whether org.gnome.Shell is on the session bus (asked once, at most a
// second).
bool GnomeShellOnSessionBus();

// Whether the Shell and Brumelis's extension are up, asked by a program
// that may have started before them (at most a second each): ready, not
// yet, or not soon; with what to tell the user when it stays so.
struct ShellReadiness {
    ExtensionReadiness readiness;
    Text why;
};
ShellReadiness AskShellReadiness();

struct ShellStart {
    std::unique_ptr<ShellLink> link;
    ShellFocus focus;
    // To say once, the program going on: the extension running is older
    // than the program (kExtensionOutdated); empty when it is not.
    Text notice;
    // The running extension's interface version.
    unsigned version = kInterfaceVersion;
    // The extension's stage (version 3 and later).
    std::optional<StageSize> stage;
};

// Connects to the extension: subscribes to its signals (from the Shell's
// unique name, so that no other program can speak in its place) and reads
// the focused window (at most a second). When the extension does not
// answer, the French text telling the user what to do.
std::variant<ShellStart, Text> ConnectToShell();

}  // namespace brumelis
