// The KWin script the program loads (brumelis_kwin.js, compiled in), made
// for one running copy: the only name it talks to, the token its reports
// carry, the name it was loaded under (to unload itself) and the process
// whose own surfaces it leaves alone.
#pragma once

#include <string>

namespace brumelis {

struct ScriptOwner {
    std::string busName;
    std::string token;
    std::string pluginName;
    long pid = 0;
};

std::string KWinScriptText(const ScriptOwner& owner);

// The name a copy's script is loaded under, so that a later copy can
// unload what a killed one left.
std::string KWinScriptName(long pid);

}  // namespace brumelis
