#include "program/session_picker.h"

#include <optional>
#include <utility>

#include "program/desktop_start.h"

namespace brumelis {

namespace {

// Only a Wayland session is left without a backend today: X11 claims every
// other one. The Wayland backends each serve one compositor family.
const Text kNoBackend =
    u"Brumelis ne fonctionne pas encore dans cette session Wayland : Wayland ne permet pas à "
    u"un programme de déplacer, de garder au premier plan ou de rendre transparentes les "
    u"fenêtres des autres programmes sans l'aide du bureau, et Brumelis ne sait pas encore la "
    u"demander à celui-ci. Ouvrez une session sway, KDE Plasma ou GNOME sous Wayland, ou une "
    u"session X11 (Xorg) avec un gestionnaire de fenêtres compatible EWMH : Xfce, MATE, "
    u"Cinnamon, Openbox, i3...";

}  // namespace

SessionEnvironment SessionEnvironment::FromProcess() {
    return SessionEnvironment{SessionVariable("DISPLAY"),
                              SessionVariable("WAYLAND_DISPLAY"),
                              SessionVariable("XDG_SESSION_TYPE"),
                              SessionVariable("SWAYSOCK"),
                              SessionVariable("XDG_CURRENT_DESKTOP"),
                              SessionVariable("XDG_RUNTIME_DIR")};
}

bool SessionEnvironment::IsWayland() const {
    return !waylandDisplay.empty() || sessionType == "wayland";
}

bool SessionEnvironment::NamesDesktop(const std::string& name) const {
    return (":" + currentDesktop + ":").find(":" + name + ":") != std::string::npos;
}

BackendChoice PickBackend(const std::vector<DesktopBackend>& backends,
                          const SessionEnvironment& session) {
    std::optional<Text> firstReason;
    for (const DesktopBackend& backend : backends) {
        Fit fit = backend.detect(session);
        if (fit.kind == Fit::Kind::Runs) return {&backend, {}};
        // Its desktop claims the session: a later row must not run in its place.
        if (fit.kind == Fit::Kind::NotReadyYet) return {nullptr, std::move(fit.why), true};
        if (fit.kind == Fit::Kind::CannotRun && !firstReason) firstReason = std::move(fit.why);
    }
    return {nullptr, firstReason.value_or(kNoBackend)};
}

BackendChoice AwaitBackend(const std::vector<DesktopBackend>& backends,
                           const SessionEnvironment& session, std::chrono::milliseconds patience,
                           std::chrono::milliseconds interval,
                           const std::function<void(std::chrono::milliseconds)>& sleep) {
    BackendChoice choice = PickBackend(backends, session);
    for (auto waited = std::chrono::milliseconds::zero(); choice.worthWaiting && waited < patience;
         waited += interval) {
        sleep(interval);
        choice = PickBackend(backends, session);
    }
    return choice;
}

}  // namespace brumelis
