#include "program/gnome_desktop.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <variant>

#include "base/utf8_text.h"
#include "platform/gnome/gnome_key_source.h"
#include "platform/gnome/shell_bus.h"
#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/gtk/gtk_x11_window.h"
#include "program/desktop_start.h"
#include "program/wayland_start.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis {

namespace {

const Text kNoXwayland =
    u"GNOME Shell ne fournit pas Xwayland à cette session : Brumelis en a besoin pour poser sa "
    u"barre d'outils au-dessus des fenêtres sans leur prendre le clavier.";

// A GNOME session by its name, or by its Shell on the bus. One that is
// still starting (the Shell not on the bus yet, the extension not enabled
// yet) is waited for; an extension the user disabled, or that failed, is
// told at once.
Fit Detect(const SessionEnvironment& session) {
    if (!session.IsWayland()) return Fit::NotThisSession();
    const bool named = session.NamesDesktop("GNOME");
    if (!named && !GnomeShellOnSessionBus()) return Fit::NotThisSession();
    const ShellReadiness shell = AskShellReadiness();
    switch (shell.readiness) {
        case ExtensionReadiness::kReady: return Fit::Runs();
        case ExtensionReadiness::kNotYet: return Fit::NotReadyYet(shell.why);
        case ExtensionReadiness::kNotSoon: break;
    }
    return Fit::CannotRun(shell.why);
}

class GnomeRow final : public WaylandRow {
public:
    std::optional<int> Open(int& argc, char**& argv, const WaylandStart& start) override {
        // The toolbar is an X11 window (GNOME has no layer-shell, and a
        // Wayland window takes the focus when it maps); its message boxes too.
        if (start.session.display.empty() || !OpenGtk("x11", argc, argv)) {
            std::fprintf(stderr, "brumelis: %s\n", Utf8FromText(kNoXwayland).c_str());
            return 1;
        }
        auto shell = ConnectToShell();
        if (auto* problem = std::get_if<Text>(&shell)) return Refuse(*problem);
        auto& started = std::get<ShellStart>(shell);
        // An older extension still runs until the next log-in: said once, and
        // the program goes on with it (the interface only grows).
        if (!started.notice.empty()) {
            std::fprintf(stderr, "brumelis: %s\n", Utf8FromText(started.notice).c_str());
            RunMessageBox(started.notice, MessageButtons::Ok, ToolbarLayout().applicationTitle,
                          nullptr);
        }
        ShellLink& link = *started.link;
        windows_.emplace(std::move(started.link), started.focus);
        keys_.emplace(link, started.version);
        UseXwaylandScale(started.stage);
        return std::nullopt;
    }
    WindowSystem* Windows(const WaylandStart&, Text&) override { return &*windows_; }
    std::unique_ptr<FormToolkit> MakeToolkit(const FormLayout& layout) override {
        return std::make_unique<GtkToolkit>(layout, MakeX11Placement());
    }
    KeySource* Keys() override { return keys_ ? &*keys_ : nullptr; }

private:
    // Where Xwayland counts more pixels than the Shell (GNOME 47 and later
    // at a scale past 100 %), the corners the extension tells are scaled to
    // X11's, and GDK draws the toolbar as many times larger, so that the
    // tile stays 10 x 10 of the Shell's pixels on the corner. Read once: a
    // scale changed later takes a new start.
    void UseXwaylandScale(const std::optional<StageSize>& stage) {
        if (!stage) return;
        const ServerRect screen = ServerScreen();
        const int scale = X11ScaleOf(*stage, screen.width, screen.height);
        windows_->UseX11Scale(scale);
        ScaleServerPixels(scale);
    }

    std::optional<GnomeWindowSystem> windows_;
    // Listens on the window system's link: goes first.
    std::optional<GnomeKeySource> keys_;
};

}  // namespace

DesktopBackend GnomeDesktop() {
    return {"GNOME", Detect, RunOnWayland<GnomeRow>};
}

}  // namespace brumelis
