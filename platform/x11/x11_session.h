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

struct DisplayProblem {
    Text message;  // what to tell the user
    // No window manager yet: one started with the session may still come
    // (and one being replaced comes back).
    bool mayPass = false;
};

// Nothing when the toolbar can run on the display named (DISPLAY's value,
// empty when unset); otherwise what stands in the way. Opens and closes a
// connection of its own, so it can run before the toolkit's.
std::optional<DisplayProblem> FindDisplayProblem(const std::string& displayName);

// Whether an EWMH window manager runs on a connection already open: its
// check window named on the root and naming itself, and the list of what it
// supports set. What to tell the user when not.
std::optional<Text> FindWindowManagerProblem(Display* display);

}  // namespace brumelis
