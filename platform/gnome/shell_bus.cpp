#include "platform/gnome/shell_bus.h"

#include <string>
#include <utility>

#include "platform/gnome/extension_problem.h"

namespace brumelis {

namespace {

constexpr int kStartTimeoutMs = 1000;

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct VariantUnref {
    void operator()(GVariant* value) const { g_variant_unref(value); }
};
using Variant = std::unique_ptr<GVariant, VariantUnref>;

// The D-Bus error's name; a failure on this side (no answer in time, the
// bus gone) is org.freedesktop.DBus.Error.Failed.
std::string ErrorName(GError* error) {
    if (error == nullptr) return "";
    gchar* remote = g_dbus_error_get_remote_error(error);
    std::string name = remote != nullptr ? remote : "org.freedesktop.DBus.Error.Failed";
    g_free(remote);
    return name;
}

Variant AskBus(GDBusConnection* bus, const char* destination, const char* path,
               const char* interface, const char* method, GVariant* parameters, GError** error) {
    return Variant(g_dbus_connection_call_sync(bus, destination, path, interface, method,
                                               parameters, nullptr, G_DBUS_CALL_FLAGS_NONE,
                                               kStartTimeoutMs, nullptr, error));
}

class BusLink final : public ShellLink {
public:
    BusLink(GDBusConnection* bus, std::string shell) : bus_(bus), shell_(std::move(shell)) {}
    ~BusLink() override {
        for (const guint subscription : {subscription_, stateSubscription_}) {
            if (subscription != 0) g_dbus_connection_signal_unsubscribe(bus_.get(), subscription);
        }
    }

    void Call(const char* method, GVariant* parameters, Reply reply) override {
        ++sent_;
        auto* pending = reply ? new Reply(std::move(reply)) : nullptr;
        g_dbus_connection_call(bus_.get(), shell_.c_str(), kExtensionPath, kExtensionInterface,
                               method, parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, -1, nullptr,
                               pending != nullptr ? &BusLink::Answered : nullptr, pending);
    }

    std::string Ask(const char* method, GVariant* parameters) override {
        ++sent_;
        GError* error = nullptr;
        const Variant reply(AskBus(bus_.get(), shell_.c_str(), kExtensionPath, kExtensionInterface,
                                   method, parameters, &error));
        const std::string name = ErrorName(error);
        g_clear_error(&error);
        return name;
    }

    void OnSignal(Signal signal) override {
        signal_ = std::move(signal);
        if (subscription_ != 0) return;
        // The Shell's unique name: a signal sent to this program by anyone
        // else is not taken for the extension's or the Shell's word.
        subscription_ = g_dbus_connection_signal_subscribe(
            bus_.get(), shell_.c_str(), kExtensionInterface, nullptr, kExtensionPath, nullptr,
            G_DBUS_SIGNAL_FLAGS_NONE, &BusLink::Received, this, nullptr);
        stateSubscription_ = g_dbus_connection_signal_subscribe(
            bus_.get(), shell_.c_str(), "org.gnome.Shell.Extensions", kExtensionStateChanged,
            "/org/gnome/Shell", kExtensionUuid, G_DBUS_SIGNAL_FLAGS_NONE, &BusLink::Received, this,
            nullptr);
    }

    std::size_t MessagesSent() const override { return sent_; }

private:
    static void Answered(GObject* bus, GAsyncResult* result, gpointer data) {
        std::unique_ptr<Reply> reply(static_cast<Reply*>(data));
        GVariant* values = g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, nullptr);
        (*reply)(values);
        if (values != nullptr) g_variant_unref(values);
    }

    static void Received(GDBusConnection*, const gchar*, const gchar*, const gchar*,
                         const gchar* name, GVariant* values, gpointer data) {
        auto* link = static_cast<BusLink*>(data);
        if (link->signal_) link->signal_(name, values);
    }

    std::unique_ptr<GDBusConnection, Unref> bus_;
    std::string shell_;
    guint subscription_ = 0;
    guint stateSubscription_ = 0;
    Signal signal_;
    std::size_t sent_ = 0;
};

}  // namespace

bool GnomeShellOnSessionBus() {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) return false;
    const Variant owned =
        AskBus(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
               "NameHasOwner", g_variant_new("(s)", kShellName), nullptr);
    g_object_unref(bus);
    gboolean has = FALSE;
    if (owned) g_variant_get(owned.get(), "(b)", &has);
    return has != FALSE;
}

ShellReadiness AskShellReadiness() {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) return {ExtensionReadiness::kNotYet, kShellNotThere};
    const Variant owned =
        AskBus(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
               "NameHasOwner", g_variant_new("(s)", kShellName), nullptr);
    gboolean has = FALSE;
    if (owned) g_variant_get(owned.get(), "(b)", &has);
    if (has == FALSE) {
        g_object_unref(bus);
        return {ExtensionReadiness::kNotYet, kShellNotThere};
    }
    const Variant info = AskBus(bus, kShellName, "/org/gnome/Shell", "org.gnome.Shell.Extensions",
                                "GetExtensionInfo", g_variant_new("(s)", kExtensionUuid), nullptr);
    g_object_unref(bus);
    return {ReadExtensionReadiness(info.get()), ExtensionNotRunning(info.get())};
}

std::variant<ShellStart, Text> ConnectToShell() {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) return ExtensionFailed("");
    const Variant owner =
        AskBus(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
               "GetNameOwner", g_variant_new("(s)", kShellName), nullptr);
    if (!owner) {
        g_object_unref(bus);
        return ExtensionFailed("");
    }
    const gchar* unique = nullptr;
    g_variant_get(owner.get(), "(&s)", &unique);
    auto link = std::make_unique<BusLink>(bus, unique);
    // Subscribed before the first read, so that no change falls between the
    // two: the signals wait on the main loop for the window system, and any
    // sent before the answer is older than it or the same.
    link->OnSignal(nullptr);
    GError* error = nullptr;
    const Variant state =
        AskBus(bus, unique, kExtensionPath, kExtensionInterface, "Follow", nullptr, &error);
    const std::string errorName = ErrorName(error);
    g_clear_error(&error);
    const auto focus = state ? ReadShellFocus(state.get()) : std::nullopt;
    if (!focus) {
        if (!ExtensionAbsent(errorName)) return ExtensionFailed(errorName);
        const Variant info =
            AskBus(bus, unique, "/org/gnome/Shell", "org.gnome.Shell.Extensions",
                   "GetExtensionInfo", g_variant_new("(s)", kExtensionUuid), nullptr);
        return ExtensionNotRunning(info.get());
    }
    const Variant version =
        AskBus(bus, unique, kExtensionPath, kExtensionInterface, "Version", nullptr, &error);
    const auto running = ReadExtensionVersion(version.get(), ErrorName(error));
    g_clear_error(&error);
    Text notice = running && *running < kInterfaceVersion ? kExtensionOutdated : Text();
    return ShellStart{std::move(link), *focus, std::move(notice)};
}

}  // namespace brumelis
