#include "platform/dbus/session_bus.h"

namespace brumelis {

namespace {

BusReply AskBus(SessionBus& bus, const char* method, const std::string& name) {
    return bus.Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
                    g_variant_new("(s)", name.c_str()), kBusDeadline);
}

}  // namespace

bool NameHasOwner(SessionBus& bus, const std::string& name) {
    const BusReply owned = AskBus(bus, "NameHasOwner", name);
    gboolean has = FALSE;
    if (owned.ok() && g_variant_is_of_type(owned.body, G_VARIANT_TYPE("(b)"))) {
        g_variant_get(owned.body, "(b)", &has);
    }
    return has != FALSE;
}

std::string NameOwner(SessionBus& bus, const std::string& name) {
    const BusReply owner = AskBus(bus, "GetNameOwner", name);
    if (!owner.ok() || !g_variant_is_of_type(owner.body, G_VARIANT_TYPE("(s)"))) return "";
    const gchar* unique = nullptr;
    g_variant_get(owner.body, "(&s)", &unique);
    return unique;
}

}  // namespace brumelis
