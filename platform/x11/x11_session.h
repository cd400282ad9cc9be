// Whether an X11 display can run the toolbar: it is named, it answers, and
// an EWMH window manager runs on it (without one there is no active window,
// frame or "above" state to work with). The answer is a message for the
// user. Whether the session is X11 at all is the program's to decide
// (program/session_picker.h).
#pragma once

#include <optional>
#include <string>

#include "base/core_types.h"

typedef struct _XDisplay Display;  // Xlib's, without its macros

namespace brumelis {

// Nothing when the toolbar can run on the display named (DISPLAY's value,
// empty when unset); otherwise what to tell the user. Opens and closes a
// connection of its own, so it can run before the toolkit's.
std::optional<Text> FindDisplayProblem(const std::string& displayName);

// The same for a connection already open: is an EWMH window manager running?
std::optional<Text> FindWindowManagerProblem(Display* display);

}  // namespace brumelis
