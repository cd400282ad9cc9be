// The toolbar on Wayland compositors with the layer-shell protocol: an
// overlay surface anchored to the top-left corner of the output under the
// wanted corner, at margins that put it there. Keyboard interactivity none:
// the window the user works in keeps the keyboard. Margins count from the
// output's own corner, not from the area other surfaces (a bar) leave free.
// The compositor draws the surface on that output only: near its right or
// bottom edge the surface goes inward, whole, rather than cut there.
#include <gtk-layer-shell.h>

#include <cmath>

#include "platform/gtk/gtk_placement.h"
#include "platform/whole_on_output.h"

namespace brumelis {

namespace {

// The handle of no window: the compositor names layer surfaces nowhere a
// window system reads, and 0 means "none" to the toolbar.
constexpr WindowHandle kUnnamedSurface = -1;

class LayerShellPlacement final : public ToplevelPlacement {
public:
    GtkWindowType WindowType() const override { return GTK_WINDOW_TOPLEVEL; }

    void Prepare(GtkWindow* window) override {
        gtk_layer_init_for_window(window);
        gtk_layer_set_namespace(window, "brumelis");
        gtk_layer_set_layer(window, GTK_LAYER_SHELL_LAYER_OVERLAY);
        gtk_layer_set_anchor(window, GTK_LAYER_SHELL_EDGE_TOP, TRUE);
        gtk_layer_set_anchor(window, GTK_LAYER_SHELL_EDGE_LEFT, TRUE);
        gtk_layer_set_exclusive_zone(window, -1);
        gtk_layer_set_keyboard_mode(window, GTK_LAYER_SHELL_KEYBOARD_MODE_NONE);
    }

    WindowHandle Handle(GtkWindow*) const override { return kUnnamedSurface; }

    // The compositor tells no client where its surface is: where it was put.
    PixelRect OuterRect(GtkWindow*) const override { return placed_; }

    void Place(GtkWindow* window, const PixelRect& wanted) override {
        GdkDisplay* display = gtk_widget_get_display(GTK_WIDGET(window));
        // The output under the corner, or the nearest one.
        GdkMonitor* monitor = gdk_display_get_monitor_at_point(display, wanted.left, wanted.top);
        if (monitor != monitor_) {
            gtk_layer_set_monitor(window, monitor);
            monitor_ = monitor;
        }
        GdkRectangle output{};
        PixelRect shown = wanted;
        if (monitor != nullptr) {
            gdk_monitor_get_geometry(monitor, &output);
            shown = WholeOnOutput(wanted, {output.x, output.y, output.width, output.height});
        }
        gtk_layer_set_margin(window, GTK_LAYER_SHELL_EDGE_LEFT, shown.left - output.x);
        gtk_layer_set_margin(window, GTK_LAYER_SHELL_EDGE_TOP, shown.top - output.y);
        // gtk-layer-shell asks the compositor for the size the content
        // requests, and GTK draws nothing in a window whose content asks
        // for none (measured with sway 1.7: no buffer is ever attached).
        gtk_widget_set_size_request(gtk_bin_get_child(GTK_BIN(window)), wanted.width,
                                    wanted.height);
        gtk_window_resize(window, wanted.width, wanted.height);
        // The wanted place, not the one shown: the toolbar asks for the
        // window's corner and must find it there, or it would ask again.
        placed_ = wanted;
    }

    // The overlay layer is above every window already.
    void StayAbove(GtkWindow*) override {}

    // GDK on Wayland has no global coordinates: a toplevel's root
    // coordinates are its own, and the press's grab sends the pointer's
    // moves outside the surface too.
    std::optional<WindowPoint> PointInWindow(GtkWindow*, double rootX,
                                             double rootY) const override {
        const int x = static_cast<int>(std::floor(rootX)), y = static_cast<int>(std::floor(rootY));
        if (x < 0 || y < 0 || x >= placed_.width || y >= placed_.height) return std::nullopt;
        return WindowPoint{x, y};
    }

private:
    PixelRect placed_{};
    GdkMonitor* monitor_ = nullptr;
};

}  // namespace

std::unique_ptr<ToplevelPlacement> MakeLayerShellPlacement() {
    return std::make_unique<LayerShellPlacement>();
}

bool LayerShellSupported() {
    return gtk_layer_is_supported();
}

}  // namespace brumelis
