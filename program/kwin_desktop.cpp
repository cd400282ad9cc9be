#include "program/kwin_desktop.h"

#include <glib-unix.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include "base/utf8_text.h"
#include "platform/gtk/gtk_placement.h"
#include "platform/gtk/gtk_toolkit.h"
#include "platform/kwin/kwin_dbus.h"
#include "platform/kwin/kwin_key_source.h"
#include "platform/kwin/kwin_window_system.h"
#include "platform/private_directory.h"
#include "program/announced_toolbars.h"
#include "program/desktop_start.h"
#include "program/wayland_start.h"

namespace brumelis {

namespace {

const Text kNoScript =
    u"KWin n'a pas lancé le script de Brumelis (les scripts KWin sont peut-être désactivés) : "
    u"Brumelis ne peut pas suivre ses fenêtres.";
const Text kNoPrivatePlace =
    u"Brumelis ne trouve aucun dossier privé où écrire le script qu'il confie à KWin "
    u"($XDG_RUNTIME_DIR n'est pas défini, et le dossier de secours sous /tmp n'est pas à vous "
    u"seul) : "
    u"Brumelis ne peut pas suivre ses fenêtres.";
const Text kScriptNotWritten = u"Brumelis n'a pas pu écrire le script qu'il confie à KWin (";
const Text kScriptNotWrittenEnd = u") : Brumelis ne peut pas suivre ses fenêtres.";
const Text kScriptLost =
    u"KWin a arrêté le script de Brumelis et refuse de le relancer : Brumelis ne peut plus "
    u"suivre ni changer les fenêtres. Fermez Brumelis et relancez-le.";

const Text kKWinStarting =
    u"KWin ne répond pas sur le bus de session (org.kde.KWin et ses scripts) : Brumelis ne "
    u"peut pas suivre ses fenêtres.";

// KWin proves itself by its name on the session bus: a variable could have
// been left by another session. A Plasma session whose KWin, or its
// scripting, is not there yet is still starting (a program started with it).
Fit Detect(const SessionEnvironment& session) {
    if (!session.IsWayland()) return Fit::NotThisSession();
    const bool plasma = session.NamesDesktop("KDE");
    switch (AskKWinPresence()) {
        case KWinPresence::kReady: return Fit::Runs();
        case KWinPresence::kStarting: return Fit::NotReadyYet(kKWinStarting);
        case KWinPresence::kAbsent: break;
    }
    return plasma ? Fit::NotReadyYet(kKWinStarting) : Fit::NotThisSession();
}

std::string Token() {
    char token[33];
    std::snprintf(token, sizeof token, "%08x%08x%08x%08x", g_random_int(), g_random_int(),
                  g_random_int(), g_random_int());
    return token;
}

class KWinRow final : public WaylandRow {
public:
    std::optional<int> Open(int& argc, char**& argv, const WaylandStart&) override {
        return OpenLayerShell(argc, argv);
    }
    // Copies started together load their scripts one after the other (two
    // loads at once on KWin 5.27 can leave one never run), and a copy still
    // starting is not taken for a dead one.
    WindowSystem* Windows(const WaylandStart& start, Text& refusal) override {
        // KWin runs what the file holds: never in a directory others can write to.
        const std::string scriptDirectory = PrivateDirectory(start.session.runtimeDirectory);
        if (scriptDirectory.empty()) {
            refusal = kNoPrivatePlace;
            return nullptr;
        }
        const KWinStart script{getpid(), scriptDirectory, DeadAnnouncers(start.announcements),
                               Token()};
        auto bus = ConnectKWinBus();
        std::string fileProblem;
        if (bus) windows_ = KWinWindowSystem::Load(std::move(bus), script, &fileProblem);
        if (windows_) keys_ = std::make_unique<KWinKeySource>(*windows_);
        if (!windows_) {
            refusal = fileProblem.empty()
                          ? kNoScript
                          : kScriptNotWritten + TextFromUtf8(fileProblem) + kScriptNotWrittenEnd;
        }
        return windows_.get();
    }
    std::unique_ptr<FormToolkit> MakeToolkit(const FormLayout& layout) override {
        auto toolkit = std::make_unique<GtkToolkit>(layout, MakeLayerShellPlacement());
        KWinWindowSystem* windows = windows_.get();
        KWinKeySource* keys = keys_.get();
        // The script's shortcuts do nothing once it is unloaded; then the
        // chords go back to kglobalaccel.
        toolkit->BeforeEnd([windows, keys] {
            windows->Unload();
            if (keys != nullptr) keys->Release();
        });
        // Ended by a signal, the program still takes its script out of KWin.
        GtkToolkit* ending = toolkit.get();
        windows->OnScriptLost([ending] { ending->ShowMessage(kScriptLost, MessageButtons::Ok); });
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
            g_unix_signal_add(
                signal, [](gpointer self) -> gboolean { static_cast<GtkToolkit*>(self)->End(); },
                ending);
        }
        return toolkit;
    }

    KeySource* Keys() override { return keys_.get(); }

private:
    std::unique_ptr<KWinWindowSystem> windows_;
    std::unique_ptr<KWinKeySource> keys_;
};

}  // namespace

DesktopBackend KWinDesktop() {
    return {"KWin", Detect, RunOnWayland<KWinRow>};
}

}  // namespace brumelis
