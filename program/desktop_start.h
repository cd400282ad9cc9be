// What the Linux desktop rows share when they start: the session's
// variables, GTK opened on the display server the row needs, and a refusal
// the user reads on the terminal and in a box (wayland_start.h: the rest of
// a Wayland row's start).
#pragma once

#include <optional>
#include <string>

#include "base/core_types.h"
#include "program/session_picker.h"
#include "program/wayland_start.h"

namespace brumelis {

// The variable's value; empty when it is not set.
std::string SessionVariable(const char* name);

// Opens GTK on `backend` ("x11" or "wayland"); false, said on the error
// output, when the display cannot be opened.
bool OpenGtk(const char* backend, int& argc, char**& argv);

// Whether a line GDK logs as it ends the program says that its display went
// (the compositor or the X server ended, or restarted).
bool SaysDisplayGone(const char* gdkMessage);

// Says `message` on the error output and in a box; the exit status to end with.
int Refuse(const Text& message);

// A Wayland row's start: `Row` (a WaylandRow) on the shared start, its
// refusals said on the error output and in a box.
template <class Row>
int RunOnWayland(const SessionEnvironment& session, int& argc, char**& argv) {
    Row row;
    return StartOnWayland(session, row, argc, argv, Refuse);
}

// Opens GTK on Wayland for a toolbar that is a layer-shell surface; the
// exit status when it cannot, the user told.
std::optional<int> OpenLayerShell(int& argc, char**& argv);

}  // namespace brumelis
