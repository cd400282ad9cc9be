// The start every Wayland desktop row shares. A row supplies what is its
// own: reaching its desktop, the window system, how the toolbar's window is
// placed. The start does the rest: the start lock named after the Wayland
// display, the toolbar's announcement for the instance rule
// (announced_toolbars.h), the run. It reads nothing from the process:
// everything comes from the session it is given.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/core_types.h"
#include "platform/form_layout.h"
#include "platform/form_toolkit.h"
#include "platform/key_source.h"
#include "platform/window_system.h"
#include "program/session_picker.h"

namespace brumelis {

struct WaylandStart {
    SessionEnvironment session;
    // This display's announcements (AnnouncementDirectory).
    std::string announcements;
};

class WaylandRow {
public:
    virtual ~WaylandRow() = default;
    // Before the start lock: opens the toolbar's display and reaches the
    // desktop. The exit status when the start ends here, the user told.
    virtual std::optional<int> Open(int& argc, char**& argv, const WaylandStart& start) = 0;
    // Under the start lock, so that copies started together ask one after
    // the other: the window system, or null with what to tell the user.
    virtual WindowSystem* Windows(const WaylandStart& start, Text& refusal) = 0;
    // The toolbar's toolkit, placed as the desktop allows.
    virtual std::unique_ptr<FormToolkit> MakeToolkit(const FormLayout& layout) = 0;
    // The toolbar's keys, once Windows has answered; null where the row
    // takes none.
    virtual KeySource* Keys() { return nullptr; }
};

// Tells the user `message` and gives the exit status to end with.
using Refusal = std::function<int(const Text& message)>;

// Runs the toolbar on the row's desktop; the exit status. A refusal is
// told once the lock is given back, so that a copy showing it never holds
// up the next.
int StartOnWayland(const SessionEnvironment& session, WaylandRow& row, int& argc, char**& argv,
                   const Refusal& refuse);

}  // namespace brumelis
