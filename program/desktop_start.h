// What the Linux desktop rows share when they start: the session's
// variables, GTK opened on the display server the row needs, and a refusal
// the user reads on the terminal and in a box.
#pragma once

#include <string>

#include "base/core_types.h"

namespace brumelis {

// Without layer-shell a Wayland toolbar could not sit above the windows.
extern const Text kNoLayerShell;

// The variable's value; empty when it is not set.
std::string SessionVariable(const char* name);

// Opens GTK on `backend` ("x11" or "wayland"); false, said on the error
// output, when the display cannot be opened.
bool OpenGtk(const char* backend, int& argc, char**& argv);

// Says `message` on the error output and in a box; the exit status to end with.
int Refuse(const Text& message);

}  // namespace brumelis
