// Window properties in the two shapes EWMH uses: lists of 32-bit items
// (cardinals, windows, atoms) and client messages to the root window.
#pragma once

#include <X11/Xlib.h>

#include <array>
#include <optional>
#include <vector>

namespace brumelis::x11 {

// Xlib hands format-32 items over as longs, whatever the width of long.
using Longs = std::vector<unsigned long>;

// nullopt when the window is gone; empty when it has no such property, or
// one of another type or format.
std::optional<Longs> ReadLongs(Display* display, Window window, Atom property, Atom type);
// The first item, or `fallback` when there is none or the window is gone.
unsigned long ReadLong(Display* display, Window window, Atom property, Atom type,
                       unsigned long fallback);
void WriteLongs(Display* display, Window window, Atom property, Atom type, const Longs& items);

// The source indication of EWMH messages for a pager or a similar tool that
// acts for the user: window managers obey it without focus-stealing checks.
constexpr long kSourceIsUserTool = 2;

// The message EWMH asks clients to send to the root window for the window
// manager: it reaches whoever redirects the root's substructure.
void SendToRoot(Display* display, Window about, Atom message, const std::array<long, 5>& data);

}  // namespace brumelis::x11
