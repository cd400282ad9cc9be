#include "platform/gnome/extension_problem.h"

#include "base/utf8_text.h"
#include "platform/gnome/shell_link.h"

namespace brumelis {

namespace {

// GNOME Shell's ExtensionState: 1 enabled, 2 disabled, 3 error, 4 out of
// date, 6 initialized (known, never enabled), 8 enabling (46 and later).
constexpr double kEnabled = 1;
constexpr double kTurnedOff = 2;
constexpr double kError = 3;
constexpr double kOutOfDate = 4;

const Text kUuid = TextFromUtf8(kExtensionUuid);

const Text kMissing = u"L'extension GNOME Shell de Brumelis (" + kUuid +
                      u") n'est pas installée : réinstallez le paquet brumelis, fermez la session "
                      u"et rouvrez-la (sous Wayland, GNOME Shell ne voit une nouvelle extension "
                      u"qu'à l'ouverture de la session), puis lancez « gnome-extensions enable " +
                      kUuid + u" ».";
const Text kDisabled =
    u"L'extension GNOME Shell de Brumelis n'est pas activée : lancez "
    u"« gnome-extensions enable " +
    kUuid +
    u" » (ou activez-la dans l'application Extensions), puis relancez Brumelis. "
    u"Si elle vient d'être installée, fermez d'abord la session et rouvrez-la.";
const Text kBroken =
    u"L'extension GNOME Shell de Brumelis est installée mais GNOME Shell n'a pas "
    u"pu la lancer (version de GNOME Shell non prise en charge ?) : voyez "
    u"« gnome-extensions info " +
    kUuid + u" ».";
const Text kRefused =
    u"L'extension GNOME Shell de Brumelis refuse de servir ce programme : elle "
    u"ne sert que le programme brumelis installé.";
const Text kSilent =
    u"GNOME Shell ne répond pas : Brumelis ne peut pas suivre ses fenêtres. Réessayez dans un "
    u"instant.";

}  // namespace

const Text kShellNotThere =
    u"GNOME Shell n'est pas sur le bus de session : Brumelis ne peut pas suivre ses fenêtres. "
    u"Si la session vient de s'ouvrir, relancez Brumelis dans un instant.";

const Text kExtensionOutdated =
    u"Brumelis a été mis à jour, mais GNOME Shell fait encore tourner l'ancienne version de "
    u"son extension : fermez la session et rouvrez-la pour terminer la mise à jour. D'ici là, "
    u"Brumelis fonctionne avec l'ancienne.";

bool ExtensionAbsent(const std::string& errorName) {
    return errorName == "org.freedesktop.DBus.Error.UnknownMethod" ||
           errorName == "org.freedesktop.DBus.Error.UnknownObject" ||
           errorName == "org.freedesktop.DBus.Error.UnknownInterface";
}

Text ExtensionNotRunning(GVariant* info) {
    if (info == nullptr || !g_variant_is_of_type(info, G_VARIANT_TYPE("(a{sv})"))) return kSilent;
    GVariant* fields = g_variant_get_child_value(info, 0);
    double state = -1;
    const bool known = g_variant_n_children(fields) > 0;
    g_variant_lookup(fields, "state", "d", &state);
    g_variant_unref(fields);
    if (!known) return kMissing;
    // Enabled yet not serving: the Shell failed to run it, or it runs an
    // older copy than the one installed.
    if (state == kEnabled) return kBroken;
    if (state == kError || state == kOutOfDate) return kBroken;
    return kDisabled;
}

ExtensionReadiness ReadExtensionReadiness(GVariant* info) {
    if (info == nullptr || !g_variant_is_of_type(info, G_VARIANT_TYPE("(a{sv})")))
        return ExtensionReadiness::kNotYet;
    GVariant* fields = g_variant_get_child_value(info, 0);
    double state = -1;
    const bool known = g_variant_lookup(fields, "state", "d", &state) != FALSE;
    // 45 and later: whether the user's list names it, and why it failed.
    gboolean wanted = TRUE;
    const bool toldWanted = g_variant_lookup(fields, "enabled", "b", &wanted) != FALSE;
    const gchar* error = nullptr;
    const bool failed = g_variant_lookup(fields, "error", "&s", &error) && *error != '\0';
    const bool turnedOff = toldWanted ? wanted == FALSE : state == kTurnedOff;
    g_variant_unref(fields);
    // At log-in the Shell is on the bus before it has read its extensions;
    // from 45 on it loads them one by one, each marked "error" while its
    // module loads and "disabled" until it is enabled.
    if (!known) return ExtensionReadiness::kNotYet;
    if (state == kEnabled) return ExtensionReadiness::kReady;
    if (turnedOff || state == kOutOfDate || (state == kError && failed))
        return ExtensionReadiness::kNotSoon;
    return ExtensionReadiness::kNotYet;
}

std::optional<unsigned> ReadExtensionVersion(GVariant* reply, const std::string& errorName) {
    if (errorName == "org.freedesktop.DBus.Error.UnknownMethod") return 1;
    if (reply == nullptr || !g_variant_is_of_type(reply, G_VARIANT_TYPE("(u)")))
        return std::nullopt;
    guint32 version = 0;
    g_variant_get(reply, "(u)", &version);
    return version;
}

Text ExtensionFailed(const std::string& errorName) {
    if (errorName == "org.freedesktop.DBus.Error.AccessDenied") return kRefused;
    return kSilent;
}

}  // namespace brumelis
