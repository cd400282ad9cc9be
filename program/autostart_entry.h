// Starting Brumelis at log-in on Linux, off unless the user turns it on: an
// XDG autostart entry in the user's configuration, which the desktops that
// follow the XDG autostart convention (GNOME, KDE Plasma, Xfce, MATE,
// Cinnamon, LXQt...) run when the session opens.
#pragma once

#include <string>

namespace brumelis {

// $XDG_CONFIG_HOME/autostart/brumelis.desktop, XDG_CONFIG_HOME being used
// only when absolute, else $HOME/.config; empty without either.
std::string AutostartPath(const std::string& configHome, const std::string& home);

// The entry that starts the program at `program`, an absolute path; empty
// for a path no entry can hold (a control character).
std::string AutostartEntry(const std::string& program);

struct AutostartOutcome {
    bool done;
    std::string message;  // for the standard output when done, else the error output (UTF-8)
};

// Writes the entry whole under a temporary name (mode 0644), then renames it
// into place: a session opening meanwhile reads the old entry or the new one.
AutostartOutcome TurnAutostartOn(const std::string& path, const std::string& program);
AutostartOutcome TurnAutostartOff(const std::string& path);

}  // namespace brumelis
