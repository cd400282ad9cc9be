#include "platform/gtk/gtk_x11_events.h"

#include <gdk/gdkx.h>

namespace brumelis {

GdkX11WindowSystem::GdkX11WindowSystem()
    : windows_(gdk_x11_display_get_xdisplay(gdk_display_get_default())) {
    // GDK keeps its own record of the root's event mask and would drop the
    // window system's bits the next time it set it; its screen-size watch
    // (structure) is kept too.
    GdkWindow* root = gdk_get_default_root_window();
    gdk_window_set_events(
        root, static_cast<GdkEventMask>(gdk_window_get_events(root) | GDK_STRUCTURE_MASK |
                                        GDK_SUBSTRUCTURE_MASK | GDK_PROPERTY_CHANGE_MASK));
    // A filter without a window sees every event GDK reads, before GDK.
    gdk_window_add_filter(nullptr, &Filter, this);
}

GdkX11WindowSystem::~GdkX11WindowSystem() {
    gdk_window_remove_filter(nullptr, &Filter, this);
}

GdkFilterReturn GdkX11WindowSystem::Filter(GdkXEvent* event, GdkEvent*, gpointer self) {
    auto* system = static_cast<GdkX11WindowSystem*>(self);
    return system->windows_.Observe(*static_cast<XEvent*>(event)) ? GDK_FILTER_REMOVE
                                                                  : GDK_FILTER_CONTINUE;
}

}  // namespace brumelis
