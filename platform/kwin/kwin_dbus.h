// The script bus over GDBus, on the session bus.
#pragma once

#include <memory>

#include "platform/kwin/kwin_bus.h"

namespace brumelis {

// Null when there is no session bus.
std::unique_ptr<ScriptBus> ConnectSessionBus();

// The object the script calls.
extern const char kScriptObjectPath[];

}  // namespace brumelis
