// What the user must do when Brumelis's Shell extension does not answer,
// read from the error of the first call and, when the extension is not
// running, from the Shell's own word on it (org.gnome.Shell.Extensions
// GetExtensionInfo: an empty dictionary for an extension it does not know).
#pragma once

#include <glib.h>

#include <optional>
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

// Whether a program started with the session should wait for the extension.
enum class ExtensionReadiness {
    kReady,    // enabled
    kNotYet,   // not known to the Shell yet, or still being enabled
    kNotSoon,  // disabled by the user, failed, or out of date: waiting will not help
};
// Read from the GetExtensionInfo reply; a missing reply: not yet.
ExtensionReadiness ReadExtensionReadiness(GVariant* info);

// The text for GNOME Shell not on the session bus yet.
extern const Text kShellNotThere;

// The version the extension's Version call answered ((u)), or 1 for an
// extension without it (`errorName` UnknownMethod); nothing when unknown.
std::optional<unsigned> ReadExtensionVersion(GVariant* reply, const std::string& errorName);

// Said once when the running extension is older than the program: an update
// is finished by the next log-in.
extern const Text kExtensionOutdated;

}  // namespace brumelis
