#include "platform/kwin/kwin_dbus.h"

#include <string>

namespace brumelis {

const char kScriptObjectPath[] = "/example/zolvec/BrumelisKWin";
const char kScriptInterface[] = "example.zolvec.BrumelisKWin1";

std::unique_ptr<SessionBus> ConnectKWinBus() {
    return ConnectSessionBus(BusLoss::kLeftToProgram);
}

bool ServeScriptCalls(SessionBus& bus, BusCallHandler handler) {
    // Everything the script sends is text, so one signature serves every KWin.
    const std::string introspection =
        std::string("<node><interface name='") + kScriptInterface +
        "'><method name='Window'><arg type='s' direction='in'/><arg type='s' direction='in'/>"
        "<arg type='s' direction='in'/><arg type='s' direction='in'/><arg type='s' direction='in'/>"
        "<arg type='s' direction='in'/></method>"
        "<method name='Closed'><arg type='s' direction='in'/><arg type='s' "
        "direction='in'/></method>"
        "<method name='Key'><arg type='s' direction='in'/><arg type='s' direction='in'/></method>"
        "<method name='NextCommand'><arg type='s' direction='in'/><arg type='s' direction='out'/>"
        "<arg type='s' direction='out'/><arg type='d' direction='out'/></method>"
        "</interface></node>";
    return bus.Export(kScriptObjectPath, introspection, std::move(handler));
}

KWinPresence AskKWinPresence() {
    const auto bus = ConnectKWinBus();
    if (!bus || !NameHasOwner(*bus, kKWinName)) return KWinPresence::kAbsent;
    // An unknown object while KWin starts.
    const BusReply loaded =
        bus->Call(kKWinName, kScriptingPath, kScriptingInterface, "isScriptLoaded",
                  g_variant_new("(s)", "brumelis"), kBusDeadline);
    const bool answers = loaded.ok() && g_variant_is_of_type(loaded.body, G_VARIANT_TYPE("(b)"));
    return answers ? KWinPresence::kReady : KWinPresence::kStarting;
}

}  // namespace brumelis
