// The tests' own connection to the X display: real input through the XTest
// extension and reads of window properties, as another program sees them.
// Xlib stays inside the .cpp: its macros clash with the core's names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/scenarios/geometry.h"

struct _XDisplay;

namespace brumelis::x11_tests {

using XWindowId = unsigned long;  // as Xlib's Window

using ScreenPoint = scenarios::Point;
using ScreenArea = scenarios::Rect;

// X numbers the buttons: 1 left, 2 middle, 3 right.
enum class Button { Left = 1, Middle = 2, Right = 3 };

class XSession {
public:
    // Opens DISPLAY; Opened() tells whether that worked.
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool Opened() const { return display_ != nullptr; }
    bool HasXTest() const { return hasXTest_; }
    _XDisplay* Display() const { return display_; }
    XWindowId Root() const;

    // Real input; each call is flushed to the server before it returns.
    void MovePointer(ScreenPoint point);
    void Press(Button button);
    void Release(Button button);
    void Click(Button button);
    // A key by its keysym name ("Return", "n"), with modifier keysyms held.
    void Key(const std::string& key, const std::vector<std::string>& modifiers = {});

    // Asks the window manager to activate a client window, as a pager does.
    void Activate(XWindowId window);
    // Asks again until it is done: a request another client sent just
    // before may reach the window manager after ours and win.
    bool ActivateAndWait(XWindowId window);
    // Asks for the client window to be moved, as its own program would.
    void MoveClient(XWindowId window, ScreenPoint topLeft);

    // The child of the root under the point: a top-level window, a frame of
    // the window manager, or the compositor's overlay is never one.
    XWindowId ToplevelAt(ScreenPoint point) const;
    // The window's place on the screen and size; nothing once it is gone.
    std::optional<ScreenArea> AreaOf(XWindowId window) const;
    bool IsMappedAndViewable(XWindowId window) const;
    bool IsOverrideRedirect(XWindowId window) const;
    // The child of the root that holds the window: its frame, or itself.
    XWindowId TopLevelOf(XWindowId window) const;
    // What one sees of a client and its frame: the client widened by
    // _NET_FRAME_EXTENTS. Frames with invisible resize borders (metacity,
    // mutter) reach past it; without extents, the frame itself.
    std::optional<ScreenArea> VisibleFrameOf(XWindowId client) const;
    // All children of the root, bottom to top, mapped or not.
    std::vector<XWindowId> RootChildren() const;

    std::optional<std::uint32_t> Cardinal(XWindowId window, const char* property) const;
    std::vector<std::uint32_t> Cardinals(XWindowId window, const char* property) const;
    // Atom lists come back as atom names.
    std::vector<std::string> AtomNames(XWindowId window, const char* property) const;
    // Some client owns the compositing manager's selection of screen 0.
    bool CompositorRuns() const;
    // _NET_WM_NAME in UTF-8, else WM_NAME; nothing when neither is set.
    std::optional<std::string> Title(XWindowId window) const;
    XWindowId ActiveWindow() const;
    std::optional<std::uint32_t> ProcessOf(XWindowId window) const;

    // What the screen shows in the area, as 0xRRGGBB values row by row, read
    // from the root window (where the compositor paints); empty on failure.
    std::vector<std::uint32_t> Capture(const ScreenArea& area) const;

    // Structure changes (moves, resizes) of the window from now on; Changes
    // counts those the server has reported since the watch began.
    void WatchStructure(XWindowId window);
    int StructureChanges();

    // Window ids of the process, among the clients the window manager lists
    // and the children of the root.
    std::vector<XWindowId> WindowsOfProcess(std::uint32_t pid) const;

private:
    _XDisplay* display_ = nullptr;
    bool hasXTest_ = false;
    int structureChanges_ = 0;
};

}  // namespace brumelis::x11_tests
