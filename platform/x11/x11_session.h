// Whether the session can run the toolbar at all: an X11 display with an
// EWMH window manager. Wayland gives no program a say over other programs'
// windows, and without an EWMH window manager there is no active window,
// frame or "above" state to work with. The answer is a message for the user.
#pragma once

#include <optional>
#include <string>

#include "base/core_types.h"

typedef struct _XDisplay Display;  // Xlib's, without its macros

namespace brumelis {

// The environment variables that name the session, each empty when unset.
struct SessionEnvironment {
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string sessionType;     // XDG_SESSION_TYPE

    static SessionEnvironment FromProcess();
};

// Nothing when the toolbar can run; otherwise what to tell the user. Opens
// and closes a connection of its own, so it can run before the toolkit's.
std::optional<Text> FindSessionProblem(const SessionEnvironment& environment);

// The same for a connection already open: is an EWMH window manager running?
std::optional<Text> FindWindowManagerProblem(Display* display);

}  // namespace brumelis
