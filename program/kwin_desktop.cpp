#include "program/kwin_desktop.h"

#include <gio/gio.h>
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/kwin/kwin_dbus.h"
#include "platform/kwin/kwin_window_system.h"
#include "platform/x11/x11_instance_lock.h"
#include "program/announced_toolbars.h"
#include "program/desktop_start.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_program.h"

namespace brumelis {

namespace {

const Text kNoScript =
    u"KWin n'a pas lancé le script de Brumelis (les scripts KWin sont peut-être désactivés) : "
    u"Brumelis ne peut pas suivre ses fenêtres.";

// KWin proves itself by its name on the session bus: a variable could have
// been left by another session.
Fit Detect(const SessionEnvironment& session) {
    if (!session.IsWayland()) return Fit::NotThisSession();
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) return Fit::NotThisSession();
    GVariant* owned = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", "org.kde.KWin"), G_VARIANT_TYPE("(b)"),
        G_DBUS_CALL_FLAGS_NONE, 1000, nullptr, nullptr);
    gboolean kwin = FALSE;
    if (owned != nullptr) {
        g_variant_get(owned, "(b)", &kwin);
        g_variant_unref(owned);
    }
    g_object_unref(bus);
    return kwin ? Fit::Runs() : Fit::NotThisSession();
}

std::string Token() {
    char token[33];
    std::snprintf(token, sizeof token, "%08x%08x%08x%08x", g_random_int(), g_random_int(),
                  g_random_int(), g_random_int());
    return token;
}

int Run(int& argc, char**& argv) {
    if (!OpenGtk("wayland", argc, argv)) return 1;
    if (!LayerShellSupported()) return Refuse(kNoLayerShell);
    const std::string runtime = SessionVariable("XDG_RUNTIME_DIR");
    const std::string announcements =
        AnnouncementDirectory(runtime, SessionVariable("WAYLAND_DISPLAY"));
    // Copies started together load their scripts one after the other (two
    // loads at once on KWin 5.27 can leave one never run), and a copy still
    // starting is not taken for a dead one.
    X11InstanceLock startLock(SessionVariable("WAYLAND_DISPLAY"), runtime);
    startLock.Acquire();
    KWinStart start{getpid(), runtime.empty() ? g_get_tmp_dir() : runtime,
                    DeadAnnouncers(announcements), Token()};
    auto bus = ConnectSessionBus();
    std::unique_ptr<KWinWindowSystem> windows =
        bus ? KWinWindowSystem::Load(std::move(bus), start) : nullptr;
    if (!windows) {
        startLock.Release();
        return Refuse(kNoScript);
    }
    WithAnnouncedToolbars desktop(*windows, announcements);
    std::unique_ptr<AnnouncedToolbar> announced;
    return RunToolbarProgram(desktop, startLock, [&](const FormLayout& layout) {
        announced = std::make_unique<AnnouncedToolbar>(announcements, layout.caption, 2);
        auto toolkit = std::make_unique<GtkToolkit>(layout, MakeLayerShellPlacement());
        toolkit->BeforeEnd([&] { windows->Unload(); });
        // Ended by a signal, the program still takes its script out of KWin.
        GtkToolkit* ending = toolkit.get();
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
            g_unix_signal_add(
                signal, [](gpointer self) -> gboolean { static_cast<GtkToolkit*>(self)->End(); },
                ending);
        }
        return toolkit;
    });
}

}  // namespace

DesktopBackend KWinDesktop() {
    return {"KWin", Detect, Run};
}

}  // namespace brumelis
