#include "program/sway_desktop.h"

#include <glib-unix.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <memory>

#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/sway/sway_connection.h"
#include "platform/sway/sway_window_system.h"
#include "program/desktop_start.h"
#include "program/wayland_start.h"

namespace brumelis {

namespace {

const Text kSwaySilent =
    u"sway ne répond pas sur son canal de commande ($SWAYSOCK) : Brumelis ne peut pas suivre "
    u"ses fenêtres.";

// A socket left from an earlier sway refuses the connection, and the
// variable may be kept by a session of another desktop: not a sway session
// then. A socket not made yet, or a session that names sway, is a sway
// still starting (a program started with the session).
Fit Detect(const SessionEnvironment& session) {
    if (!session.IsWayland() || session.swaySocket.empty()) return Fit::NotThisSession();
    if (SwayConnection::Open(session.swaySocket)) return Fit::Runs();
    if (session.NamesDesktop("sway")) return Fit::NotReadyYet(kSwaySilent);
    struct stat status {};
    const bool notMadeYet = lstat(session.swaySocket.c_str(), &status) != 0 && errno == ENOENT;
    if (session.currentDesktop.empty() && notMadeYet) return Fit::NotReadyYet(kSwaySilent);
    return Fit::NotThisSession();
}

class SwayRow final : public WaylandRow {
public:
    std::optional<int> Open(int& argc, char**& argv, const WaylandStart& start) override {
        if (const auto ended = OpenLayerShell(argc, argv)) return ended;
        windows_ = SwayWindowSystem::Connect(start.session.swaySocket);
        if (!windows_) return Refuse(kSwaySilent);
        return std::nullopt;
    }
    WindowSystem* Windows(const WaylandStart&, Text&) override { return windows_.get(); }
    KeySource* Keys() override { return windows_ ? &windows_->Keys() : nullptr; }
    std::unique_ptr<FormToolkit> MakeToolkit(const FormLayout& layout) override {
        auto toolkit = std::make_unique<GtkToolkit>(layout, MakeLayerShellPlacement());
        // The end skips destructors: the keys are given back to sway before,
        // when ended by a signal too.
        SwayWindowSystem* windows = windows_.get();
        toolkit->BeforeEnd([windows] { windows->Keys().Release(); });
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
            g_unix_signal_add(
                signal,
                [](gpointer self) -> gboolean {
                    static_cast<GtkToolkit*>(self)->End();
                    return G_SOURCE_REMOVE;
                },
                toolkit.get());
        }
        return toolkit;
    }

private:
    std::unique_ptr<SwayWindowSystem> windows_;
};

}  // namespace

DesktopBackend SwayDesktop() {
    return {"sway", Detect, RunOnWayland<SwayRow>};
}

}  // namespace brumelis
