// What the toolbar asks of other programs' top-level windows, in its own
// words. Each backend turns an operation into its own system's calls; none
// has to imitate another system. The toolbar's own window is not among them:
// the form toolkit places it and keeps it above (FormWindow::StayAbove).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "base/core_types.h"

namespace brumelis {

// The system's answer to a change asked of a window.
enum class ChangeAnswer {
    // Accepted; it may take effect later (when the window's program answers
    // again, when the window manager has handled the request).
    kAccepted,
    // Refused for this window alone (on Windows: a window of a program run
    // with higher rights); other windows may accept.
    kRefused,
    // Opacity only: the window draws itself pixel by pixel (on Windows with
    // UpdateLayeredWindow), and one constant opacity set on it would stop
    // its drawing; it is left as it is.
    kDrawsItself,
    // Not possible on this desktop, for any window: no band kept above the
    // others, or no compositor drawing opacity. An opacity is still recorded,
    // so that it shows once a compositor starts.
    kUnsupported,
    // Not possible now, for any window, and nothing was changed or kept to
    // be done later: the desktop's helper the backend works through is off
    // for a while (the screen is locked, the user disabled it); asking again
    // later may work.
    kNotNow,
};

// One top-level window of the desktop and its title (nothing when the title
// cannot be read).
struct ListedWindow {
    WindowHandle window = 0;
    std::optional<Text> title;
};

// `title` as TopLevelWindows gives it: cut to its first `length` characters.
inline Text CutTitle(Text title, std::size_t length) {
    if (title.size() > length) title.resize(length);
    return title;
}

// Another program's window may belong to a program that has stopped
// answering: no operation waits for it, and none of them blocks on a reply
// from it (answers come from what the backend already knows, kept true by the
// system's events). What is asked of such a window takes effect when its
// program answers again, in the order it was asked. A handle that names no
// window (0, or a window that has gone) changes nothing, reads as nothing and
// is answered kAccepted: there is nothing to refuse.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The window the user works in; 0 when there is none.
    virtual WindowHandle ForegroundWindow() = 0;

    // The part of the window the user sees, in screen pixels: with the frame
    // the window manager draws around it, without the invisible resize
    // borders some systems add. Nothing when the window cannot be read.
    virtual std::optional<ScreenRect> VisibleFrame(WindowHandle window) = 0;

    // Calls `moved` when the window's visible frame may have moved, until
    // another window (or 0: none) is watched. It is called from the system's
    // event handling, possibly while a handler runs: it should only take
    // note. A system that cannot tell calls nothing, so a caller still
    // looks for itself.
    virtual void WatchMoves(WindowHandle window, std::function<void()> moved) = 0;

    // Puts the window into the band kept above all others, or takes it out;
    // it is neither moved, sized nor activated. Entering or leaving the band
    // puts it at the top of the windows it then stacks with.
    virtual ChangeAnswer KeepAbove(WindowHandle window, bool above) = 0;

    // Draws the whole window with one constant opacity, 0 transparent to 255
    // opaque.
    virtual ChangeAnswer SetOpacity(WindowHandle window, std::uint8_t opacity) = 0;

    // Asks that the window become the one the user works in; the system may
    // refuse.
    virtual void Activate(WindowHandle window) = 0;

    // The top-level windows the system shows other programs, for the
    // instance rule, each with its title cut to its first `titleLength`
    // characters (CutTitle): one snapshot, so that a window that goes
    // meanwhile cannot cut a walk short. Where the system keeps one stacking
    // order, those of the level `window` is in (on Windows the band kept
    // above is a level of its own), top to bottom; a compositor that tells
    // no order gives its own (sway), and one that shows no other program's
    // titles gives none (KWin, GNOME). No compositor lists the copies'
    // toolbars: program/announced_toolbars.h adds them.
    virtual std::vector<ListedWindow> TopLevelWindows(WindowHandle window,
                                                      std::size_t titleLength) = 0;
};

}  // namespace brumelis
