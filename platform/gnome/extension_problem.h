// What the user must do when Brumelis's Shell extension does not answer,
// read from the error of the first call and, when the extension is not
// running, from the Shell's own word on it (org.gnome.Shell.Extensions
// GetExtensionInfo: an empty dictionary for an extension it does not know).
#pragma once

#include <glib.h>

#include <string>

#include "base/core_types.h"

namespace brumelis {

// Whether a call's error (its D-Bus name) means that nothing serves the
// extension's object: asking the Shell why is then the next step.
bool ExtensionAbsent(const std::string& errorName);

// The text for an extension that is not running; `info` is the
// GetExtensionInfo reply (a{sv} in a tuple), null when the Shell did not answer.
Text ExtensionNotRunning(GVariant* info);

// The text for any other failure of the first call.
Text ExtensionFailed(const std::string& errorName);

}  // namespace brumelis
