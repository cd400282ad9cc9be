// What the end-to-end scenarios ask of a desktop, in their own terms: start
// the toolbar program, open target windows, bring one to the foreground,
// click and drag with real input, and read what a user would see. Each
// end-to-end program links one driver (Win32 under Wine, X11 natively) and
// defines MakeDriver for it.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/scenarios/geometry.h"

namespace brumelis::scenarios {

using Milliseconds = std::chrono::milliseconds;

// A top-level window as the driver names it; 0 for none.
using WindowId = std::uint64_t;

enum class Button { Left, Right };
enum class Answer { Ok, Yes, No, Other };  // Other: a button none of the scenarios expect

// What a driver can read of a message box. Parts the window system does not
// show to other programs (an X client cannot read a GTK label) stay empty.
struct MessageBoxReading {
    WindowId window = 0;
    std::string title;                           // UTF-8
    std::optional<std::string> text;             // UTF-8
    std::optional<std::vector<Answer>> buttons;  // left to right
    std::optional<Answer> defaultButton;         // none read, or none drawn as default
    std::optional<bool> showsIcon;
};

// One copy of the toolbar program, ended when let go of.
class ToolbarCopy {
public:
    virtual ~ToolbarCopy() = default;

    virtual bool Started() const = 0;
    virtual bool IsRunning() = 0;
    // Once the program has ended by itself; false at the deadline.
    virtual bool WaitForExit() = 0;
    virtual std::optional<int> ExitCode() = 0;

    // Its toolbar once shown; 0 while there is none.
    virtual WindowId Toolbar() = 0;
    // The pin button's caption as another program reads it; none when it
    // could not be read, which no scenario takes for a pass.
    virtual std::optional<std::string> PinCaption() = 0;
    // The slider's value as a screen reader reads it (0-100); none where
    // the driver cannot read it.
    virtual std::optional<int> SliderValue() { return std::nullopt; }
    // Its message box, if one is shown.
    virtual std::optional<MessageBoxReading> Box() = 0;
    // Answers the box shown with real input; false when it has no such button.
    virtual bool Answer(const MessageBoxReading& box, scenarios::Answer answer) = 0;
};

class Driver {
public:
    virtual ~Driver() = default;

    // Starts one copy, or several at the same moment.
    virtual std::unique_ptr<ToolbarCopy> StartCopy() = 0;
    virtual std::vector<std::unique_ptr<ToolbarCopy>> StartTogether(int count) = 0;

    // A titled, framed window of another program, whose visible frame covers
    // `place`; closed with the driver. 0 when it could not be opened.
    virtual WindowId OpenTarget(const std::string& title, const Rect& place) = 0;
    // The same, painting its own translucency (per-pixel alpha), which no
    // other program may replace; 0 where the desktop has no such window.
    virtual WindowId OpenTargetThatDrawsItself(const std::string&, const Rect&) { return 0; }
    // Makes it the foreground (active) window as a user would, and waits
    // until the system says so.
    virtual bool BringToForeground(WindowId window) = 0;
    virtual WindowId Foreground() = 0;
    // Asks for the window to move its corner to `corner`; where it lands is
    // the window system's call.
    virtual void Move(WindowId window, Point corner) = 0;

    // What the user sees of the window: its frame without invisible borders.
    virtual Rect VisibleFrame(WindowId window) = 0;
    // Kept above ordinary windows by the window system.
    virtual bool IsKeptAbove(WindowId window) = 0;
    // Whether `upper` is stacked above `lower`.
    virtual bool IsStackedAbove(WindowId upper, WindowId lower) = 0;
    // The window's constant opacity, 0 to 255; none when it has none. A
    // reading that is no single alpha (two places that disagree) is -1.
    virtual std::optional<int> Alpha(WindowId window) = 0;
    // The reading of a window whose opacity nobody set: none where the
    // window system keeps it apart, 255 where only the screen tells (sway).
    virtual std::optional<int> UnsetAlpha() { return std::nullopt; }
    // What the screen shows in the area, as 0xRRGGBB row by row from the
    // top; empty when it cannot be read.
    virtual std::vector<std::uint32_t> Capture(const Rect& area) = 0;

    // Real input at screen points, each sent once `over` is the window there.
    virtual bool Click(WindowId over, Point point, Button button) = 0;
    virtual bool DoubleClick(WindowId over, Point point) = 0;
    // Presses at `from`, moves to `to` (outside `over` if need be) and
    // releases there.
    virtual bool Drag(WindowId over, Point from, Point to, Button button) = 0;

    // Real key input: presses the chord (names joined by "+": Super, Ctrl,
    // Shift, Alt, a letter, PageUp, PageDown, Home) with `over` in the
    // foreground, and lets it go. False where the driver has no keyboard.
    virtual bool PressKeys(WindowId /*over*/, const std::string& /*chord*/) { return false; }
    // Takes the chord as another program would, until the driver ends, so
    // that a copy started next finds it held; false where it cannot.
    virtual bool HoldKeys(const std::string& /*chord*/) { return false; }

    // What the desktop itself can do: keep a window above the others (i3
    // cannot), and draw opacity (X11 only under a compositing manager).
    virtual bool KeepsWindowsAbove() = 0;
    virtual bool ShowsOpacity() = 0;
    // Takes away or restarts, as another program could, what the copy's
    // desktop row works through (KWin: its script, unloaded; sway: its
    // configuration reloaded); false where the driver cannot.
    virtual bool RestartHelper(ToolbarCopy&) { return false; }
    // Starts one copy as a program started with the session, before the
    // desktop it needs answers (sway: its socket not there yet; KWin: the
    // session bus not there yet; GNOME: the Shell up, our extension not
    // loaded yet); null where the driver cannot hold its desktop back.
    virtual std::unique_ptr<ToolbarCopy> StartCopyBeforeDesktop() { return nullptr; }
    // Lets the desktop held back come; false when it could not.
    virtual bool LetDesktopCome() { return false; }
    // Lets a few milliseconds pass between two looks at the state, keeping
    // the driver's own windows alive.
    virtual void Pause() = 0;
    // Screen pixels per pixel of the toolbar, on a desktop that scales its
    // programs (GDK_SCALE=2 on X11).
    virtual int ToolbarScale() { return 1; }
    // A second monitor at another scale than the first, in the desktop's
    // pixels; none where the session has one monitor only.
    virtual std::optional<Rect> SecondMonitor() { return std::nullopt; }
};

// The driver of this test program.
std::unique_ptr<Driver> MakeDriver();

}  // namespace brumelis::scenarios
