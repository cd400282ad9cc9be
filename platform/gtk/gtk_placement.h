// How the toolbar's GTK window is put on the screen, the one part of the
// GTK toolkit that differs between display servers: on X11 an
// override-redirect popup the program moves itself; on Wayland compositors
// with the layer-shell protocol (wlroots ones, KWin) an overlay surface
// the compositor places at the margins it is given.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <optional>

#include "base/core_types.h"
#include "platform/pixel_form_window.h"

namespace brumelis {

struct WindowPoint {
    int x, y;
};

class ToplevelPlacement {
public:
    virtual ~ToplevelPlacement() = default;
    virtual GtkWindowType WindowType() const = 0;
    // Before the window is realized.
    virtual void Prepare(GtkWindow* window) = 0;
    // The window as the window system names it.
    virtual WindowHandle Handle(GtkWindow* window) const = 0;
    // Where the window is in screen pixels (or, where the compositor does
    // not say, where it was last put), and its size in the toolkit's own
    // pixels: a scaled display (GDK_SCALE) shows each as scale x scale
    // screen pixels, while the toolbar follows windows screen pixel by pixel.
    virtual PixelRect OuterRect(GtkWindow* window) const = 0;
    virtual void Place(GtkWindow* window, const PixelRect& wanted) = 0;
    // Above every other window, without taking the focus.
    virtual void StayAbove(GtkWindow* window) = 0;
    // A point of an event's root coordinates (GDK's, in the toolkit's
    // pixels) in the window's own, when the window is what the pointer is
    // over there; nothing when another window is, or the point lies outside.
    virtual std::optional<WindowPoint> PointInWindow(GtkWindow* window, double rootX,
                                                     double rootY) const = 0;
};

std::unique_ptr<ToplevelPlacement> MakeX11Placement();
// GTK must be initialised on a Wayland display whose compositor has the
// layer-shell protocol (LayerShellSupported).
std::unique_ptr<ToplevelPlacement> MakeLayerShellPlacement();
bool LayerShellSupported();

}  // namespace brumelis
