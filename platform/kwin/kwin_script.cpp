#include "platform/kwin/kwin_script.h"

#include <utility>

#include "platform/kwin/kwin_dbus.h"

namespace brumelis {

// Made by the build from brumelis_kwin.js.
extern const char kKWinScriptSource[];

namespace {

void Replace(std::string& text, const std::string& field, const std::string& value) {
    for (auto at = text.find(field); at != std::string::npos;
         at = text.find(field, at + value.size())) {
        text.replace(at, field.size(), value);
    }
}

}  // namespace

std::string KWinScriptText(const ScriptOwner& owner) {
    std::string text = kKWinScriptSource;
    // The values are bus names, hex digits, a number and the object's names: nothing there can
    // end the script's string literals.
    Replace(text, "{{OWNER}}", owner.busName);
    Replace(text, "{{TOKEN}}", owner.token);
    Replace(text, "{{NAME}}", owner.pluginName);
    Replace(text, "{{PID}}", std::to_string(owner.pid));
    Replace(text, "{{PATH}}", kScriptObjectPath);
    Replace(text, "{{INTERFACE}}", kScriptInterface);
    return text;
}

std::string KWinScriptName(long pid) {
    return "brumelis-" + std::to_string(pid);
}

}  // namespace brumelis
