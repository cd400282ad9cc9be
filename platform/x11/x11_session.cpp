#include "platform/x11/x11_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "base/utf8_text.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_properties.h"

namespace brumelis {

namespace {

const Text kNoDisplay =
    u"Brumelis a besoin d'une session X11, mais la variable DISPLAY n'est pas définie.";
const Text kCannotConnect = u"Brumelis ne peut pas se connecter à l'affichage X11 « ";
const Text kNoWindowManager =
    u"Brumelis a besoin d'un gestionnaire de fenêtres compatible EWMH (Xfce, MATE, Cinnamon, "
    u"Openbox, i3...) et n'en trouve aucun sur cet affichage.";

}  // namespace

std::optional<DisplayProblem> FindDisplayProblem(const std::string& displayName) {
    if (displayName.empty()) return DisplayProblem{kNoDisplay};
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == nullptr) {
        return DisplayProblem{kCannotConnect + TextFromUtf8(displayName) + u" »."};
    }
    std::optional<Text> problem = FindWindowManagerProblem(display);
    XCloseDisplay(display);
    if (!problem) return std::nullopt;
    return DisplayProblem{*problem, true};
}

std::optional<Text> FindWindowManagerProblem(Display* display) {
    x11::InstallErrorPolicy();
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    // The root names the manager's check window, which names itself; a
    // manager that died leaves the root's name pointing nowhere.
    const unsigned long named =
        x11::ReadLong(display, DefaultRootWindow(display), check, XA_WINDOW, None);
    if (named == None) return kNoWindowManager;
    if (x11::ReadLong(display, named, check, XA_WINDOW, None) != named) return kNoWindowManager;
    // Some managers name their check window before they say what they
    // support (IceWM the other way round): ready once both are there.
    const Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
    if (x11::ReadLong(display, DefaultRootWindow(display), supported, XA_ATOM, None) == None) {
        return kNoWindowManager;
    }
    return std::nullopt;
}

}  // namespace brumelis
