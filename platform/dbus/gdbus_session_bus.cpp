// SessionBus over GDBus: the connection GLib shares within the process.
#include <gio/gio.h>

#include <utility>
#include <vector>

#include "platform/dbus/session_bus.h"

namespace brumelis {

namespace {

const char kRefused[] = "org.freedesktop.DBus.Error.AccessDenied";

std::string ErrorName(GError* error) {
    gchar* remote = error != nullptr ? g_dbus_error_get_remote_error(error) : nullptr;
    std::string name = remote != nullptr ? remote : "org.freedesktop.DBus.Error.Failed";
    g_free(remote);
    return name;
}

const char* OrAny(const std::string& field) {
    return field.empty() ? nullptr : field.c_str();
}

class GDBusSessionBus final : public SessionBus {
public:
    explicit GDBusSessionBus(GDBusConnection* connection) : connection_(connection) {}
    ~GDBusSessionBus() override {
        for (const guint subscription : subscriptions_) {
            g_dbus_connection_signal_unsubscribe(connection_, subscription);
        }
        for (const guint registration : registrations_) {
            g_dbus_connection_unregister_object(connection_, registration);
        }
        g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
        g_object_unref(connection_);
    }

    std::string UniqueName() const override {
        const gchar* name = g_dbus_connection_get_unique_name(connection_);
        return name != nullptr ? name : "";
    }

    BusReply Call(const std::string& destination, const std::string& path,
                  const std::string& interface, const std::string& method, GVariant* arguments,
                  std::chrono::milliseconds deadline) override {
        ++sent_;
        GError* error = nullptr;
        GVariant* body = g_dbus_connection_call_sync(
            connection_, destination.c_str(), path.c_str(), interface.c_str(), method.c_str(),
            arguments, nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, static_cast<int>(deadline.count()),
            nullptr, &error);
        if (body != nullptr) return BusReply(body, "");
        BusReply failed(nullptr, ErrorName(error));
        g_clear_error(&error);
        return failed;
    }

    void Send(const std::string& destination, const std::string& path, const std::string& interface,
              const std::string& method, GVariant* arguments, BusLater later) override {
        ++sent_;
        auto* pending = later ? new BusLater(std::move(later)) : nullptr;
        g_dbus_connection_call(connection_, destination.c_str(), path.c_str(), interface.c_str(),
                               method.c_str(), arguments, nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START,
                               -1, nullptr, pending != nullptr ? &Answered : nullptr, pending);
    }

    void Subscribe(const BusSignalMatch& match, BusSignalHandler handler) override {
        signalHandlers_.push_back(std::make_unique<BusSignalHandler>(std::move(handler)));
        subscriptions_.push_back(g_dbus_connection_signal_subscribe(
            connection_, OrAny(match.sender), OrAny(match.interface), OrAny(match.member),
            OrAny(match.path), OrAny(match.arg0), G_DBUS_SIGNAL_FLAGS_NONE, &Received,
            signalHandlers_.back().get(), nullptr));
    }

    bool Export(const std::string& path, const std::string& introspection,
                BusCallHandler handler) override {
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(introspection.c_str(), nullptr);
        if (node == nullptr || node->interfaces == nullptr || node->interfaces[0] == nullptr) {
            if (node != nullptr) g_dbus_node_info_unref(node);
            return false;
        }
        callHandlers_.push_back(std::make_unique<BusCallHandler>(std::move(handler)));
        static const GDBusInterfaceVTable table{&OnMethod, nullptr, nullptr, {}};
        const guint registration =
            g_dbus_connection_register_object(connection_, path.c_str(), node->interfaces[0],
                                              &table, callHandlers_.back().get(), nullptr, nullptr);
        g_dbus_node_info_unref(node);
        if (registration == 0) return false;
        registrations_.push_back(registration);
        return true;
    }

    std::size_t MessagesSent() const override { return sent_; }

private:
    static void Answered(GObject* connection, GAsyncResult* result, gpointer data) {
        std::unique_ptr<BusLater> later(static_cast<BusLater*>(data));
        GVariant* body =
            g_dbus_connection_call_finish(G_DBUS_CONNECTION(connection), result, nullptr);
        (*later)(body);
        if (body != nullptr) g_variant_unref(body);
    }

    static void Received(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                         const gchar* member, GVariant* values, gpointer data) {
        const auto& handler = *static_cast<BusSignalHandler*>(data);
        if (handler) handler(member, values);
    }

    static void OnMethod(GDBusConnection*, const gchar* sender, const gchar*, const gchar*,
                         const gchar* method, GVariant* parameters,
                         GDBusMethodInvocation* invocation, gpointer data) {
        const auto& handler = *static_cast<BusCallHandler*>(data);
        // The invocation is answered exactly once, whenever the program does.
        BusAnswer answer = [invocation](GVariant* body) {
            if (body != nullptr) {
                g_dbus_method_invocation_return_value(invocation, body);
            } else {
                g_dbus_method_invocation_return_dbus_error(invocation, kRefused, "");
            }
        };
        if (!handler) return answer(nullptr);
        handler(sender != nullptr ? sender : "", method, parameters, std::move(answer));
    }

    GDBusConnection* connection_;
    std::vector<guint> subscriptions_;
    std::vector<guint> registrations_;
    std::vector<std::unique_ptr<BusSignalHandler>> signalHandlers_;
    std::vector<std::unique_ptr<BusCallHandler>> callHandlers_;
    std::size_t sent_ = 0;
};

}  // namespace

std::unique_ptr<SessionBus> ConnectSessionBus(BusLoss loss) {
    GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (connection == nullptr) return nullptr;
    if (loss == BusLoss::kLeftToProgram) g_dbus_connection_set_exit_on_close(connection, FALSE);
    return std::make_unique<GDBusSessionBus>(connection);
}

}  // namespace brumelis
