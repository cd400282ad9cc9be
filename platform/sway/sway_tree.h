// What the toolbar needs of sway's tree (get_tree) and of its window
// events: the windows, top to bottom, with their titles and the part of
// them the user sees; the focused one; the output each is on.
//
// The visible corner. sway's `rect` of a window leaves out its title bar,
// whose `deco_rect` is given relative to the parent; a window in a stacked
// container sits under one title bar per sibling. So the visible frame is
// `rect` grown upwards by the title bars: with a normal border
// (rect.x, rect.y - deco_rect.height x rows); with a pixel border or none,
// and fullscreen, `deco_rect` is empty and `rect` is the frame itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/core_types.h"

namespace brumelis {

struct SwayWindow {
    // sway's container id: small numbers that are never reused in a session.
    WindowHandle id = 0;
    std::optional<Text> title;  // nothing when sway has none (null)
    ScreenRect frame;           // layout pixels, every output in one space
    ScreenRect output;          // the output the window is on
};

struct SwayTree {
    WindowHandle focused = 0;  // 0: no window has the focus (an empty workspace)
    // Floating windows above tiled ones, the last floated on top.
    std::vector<SwayWindow> windows;
    const SwayWindow* Find(WindowHandle id) const;
};

// Nothing when the text is no tree sway would send.
std::optional<SwayTree> ParseSwayTree(std::string_view json);

// A window event: what changed ("focus", "close", "new", "move", "title",
// "floating", "fullscreen_mode"...) and the window as the event describes it
// (its frame counts one title bar: an event does not say whether the window
// is stacked; the next tree does).
struct SwayWindowEvent {
    std::string change;
    SwayWindow window;
};
std::optional<SwayWindowEvent> ParseSwayWindowEvent(std::string_view json);

// Whether every command of a run_command answer succeeded.
bool SwayCommandSucceeded(std::string_view json);

}  // namespace brumelis
