// KWin on the session bus: whether it is there to load a script, and the
// object the program's script calls.
#pragma once

#include <memory>

#include "platform/dbus/session_bus.h"

namespace brumelis {

// KWin's name and its scripting object.
inline constexpr char kKWinName[] = "org.kde.KWin";
inline constexpr char kScriptingPath[] = "/Scripting";
inline constexpr char kScriptingInterface[] = "org.kde.kwin.Scripting";

// The object and interface the script calls (brumelis_kwin.js).
extern const char kScriptObjectPath[];
extern const char kScriptInterface[];

// The session bus the KWin row runs on: the program ends by its own choice,
// not when the bus goes. Null when there is none.
std::unique_ptr<SessionBus> ConnectKWinBus();

// Serves the script's calls (Window, Closed, Key, NextCommand) to `handler`.
bool ServeScriptCalls(SessionBus& bus, BusCallHandler handler);

// Whether KWin can take a script now (asked at most a second each): absent,
// its name owned but its scripting not answering yet (KWin starting), or
// ready.
enum class KWinPresence { kAbsent, kStarting, kReady };
KWinPresence AskKWinPresence();

}  // namespace brumelis
