#include "platform/gtk/gtk_x11_keys.h"

#include <gdk/gdkx.h>

namespace brumelis {

GdkX11Keys::GdkX11Keys() : keys_(gdk_x11_display_get_xdisplay(gdk_display_get_default())) {
    gdk_window_add_filter(nullptr, &Filter, this);
}

GdkX11Keys::~GdkX11Keys() {
    gdk_window_remove_filter(nullptr, &Filter, this);
}

GdkFilterReturn GdkX11Keys::Filter(GdkXEvent* event, GdkEvent*, gpointer self) {
    return static_cast<GdkX11Keys*>(self)->keys_.Observe(*static_cast<XEvent*>(event))
               ? GDK_FILTER_REMOVE
               : GDK_FILTER_CONTINUE;
}

}  // namespace brumelis
