#include "platform/kwin/kwin_dbus.h"

#include <gio/gio.h>

namespace brumelis {

const char kScriptObjectPath[] = "/org/brumelis/KWin";

namespace {

// Everything the script sends is text, so one signature serves every KWin.
const char kIntrospection[] =
    "<node><interface name='org.brumelis.KWinScript'>"
    "<method name='Window'><arg type='s' direction='in'/><arg type='s' direction='in'/>"
    "<arg type='s' direction='in'/><arg type='s' direction='in'/><arg type='s' direction='in'/>"
    "<arg type='s' direction='in'/></method>"
    "<method name='Closed'><arg type='s' direction='in'/><arg type='s' direction='in'/></method>"
    "<method name='NextCommand'><arg type='s' direction='in'/><arg type='s' direction='out'/>"
    "<arg type='s' direction='out'/><arg type='d' direction='out'/></method>"
    "</interface></node>";

class GDBusScriptBus final : public ScriptBus {
public:
    explicit GDBusScriptBus(GDBusConnection* connection) : connection_(connection) {
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
        static const GDBusInterfaceVTable table{&GDBusScriptBus::OnMethod, nullptr, nullptr, {}};
        registration_ = g_dbus_connection_register_object(
            connection_, kScriptObjectPath, node->interfaces[0], &table, this, nullptr, nullptr);
        g_dbus_node_info_unref(node);
    }
    ~GDBusScriptBus() override {
        if (registration_ != 0) g_dbus_connection_unregister_object(connection_, registration_);
        g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
        g_object_unref(connection_);
    }

    std::string UniqueName() const override {
        return g_dbus_connection_get_unique_name(connection_);
    }

    BusReply Call(const std::string& destination, const std::string& path,
                  const std::string& interface, const std::string& method, GVariant* arguments,
                  std::chrono::milliseconds deadline) override {
        GError* error = nullptr;
        GVariant* body = g_dbus_connection_call_sync(
            connection_, destination.c_str(), path.c_str(), interface.c_str(), method.c_str(),
            arguments, nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, static_cast<int>(deadline.count()),
            nullptr, &error);
        if (body != nullptr) return BusReply(body, "");
        std::string name = "error";
        if (gchar* remote = g_dbus_error_get_remote_error(error)) {
            name = remote;
            g_free(remote);
        } else if (error != nullptr) {
            name = error->message;
        }
        g_clear_error(&error);
        return BusReply(nullptr, name);
    }

    void OnCall(BusCallHandler handler) override { handler_ = std::move(handler); }

private:
    static void OnMethod(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                         const gchar* method, GVariant* parameters,
                         GDBusMethodInvocation* invocation, gpointer data) {
        auto& bus = *static_cast<GDBusScriptBus*>(data);
        if (!bus.handler_) {
            g_dbus_method_invocation_return_dbus_error(
                invocation, "org.freedesktop.DBus.Error.AccessDenied", "");
            return;
        }
        // The invocation is answered exactly once, whenever the program does.
        BusAnswer answer = [invocation](GVariant* body) {
            if (body != nullptr) {
                g_dbus_method_invocation_return_value(invocation, body);
            } else {
                g_dbus_method_invocation_return_dbus_error(
                    invocation, "org.freedesktop.DBus.Error.AccessDenied", "");
            }
        };
        bus.handler_(sender != nullptr ? sender : "", method, parameters, std::move(answer));
    }

    GDBusConnection* connection_;
    guint registration_ = 0;
    BusCallHandler handler_;
};

}  // namespace

std::unique_ptr<ScriptBus> ConnectSessionBus() {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (connection == nullptr) return nullptr;
    // The program ends by its own choice, not when the bus goes.
    g_dbus_connection_set_exit_on_close(connection, FALSE);
    return std::make_unique<GDBusScriptBus>(connection);
}

}  // namespace brumelis
