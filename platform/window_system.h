// What the toolbar asks of the desktop's top-level windows, in its own words.
// Each backend turns an operation into its own system's calls; none has to
// imitate another system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "base/core_types.h"

namespace brumelis {

// Another program's window may belong to a program that has stopped
// answering: no operation waits for it. What is asked of such a window takes
// effect when its program answers again, in the order it was asked.
// A handle that names no window (0, or a window that has gone) changes
// nothing and reads as nothing.
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

    // Puts the window into the band kept above all others, or takes it out,
    // and shows it if it was hidden; it is neither moved, sized nor
    // activated. Entering or leaving the band puts it at the top of the
    // windows it then stacks with.
    virtual void KeepAbove(WindowHandle window, bool above) = 0;
    virtual bool IsKeptAbove(WindowHandle window) = 0;
    // False where the desktop has no such band (some window managers).
    virtual bool CanKeepAbove() = 0;

    // Draws the whole window with one constant opacity, 0 transparent to 255
    // opaque.
    virtual void SetOpacity(WindowHandle window, std::uint8_t opacity) = 0;
    // False where the opacity is recorded but not drawn (on X11 without a
    // compositing manager).
    virtual bool ShowsOpacity() = 0;

    // Asks that the window become the one the user works in; the system may
    // refuse.
    virtual void Activate(WindowHandle window) = 0;

    // The top-level windows, top to bottom: the first window of the level
    // `window` is in, then the one below each; 0 after the last.
    virtual WindowHandle TopWindow(WindowHandle window) = 0;
    virtual WindowHandle WindowBelow(WindowHandle window) = 0;
    // The window's title, cut to its first `maxLength` characters; nothing
    // when the title cannot be read.
    virtual std::optional<Text> Title(WindowHandle window, std::size_t maxLength) = 0;
};

}  // namespace brumelis
