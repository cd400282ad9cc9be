// The form window as the handlers see it: sizes and positions in twips at 15
// twips per pixel, read back from the X window every time.
#include "platform/form_controls.h"
#include "platform/gtk/gtk_form.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_x11_window.h"
#include "platform/pixels.h"

namespace brumelis {

WindowHandle GtkForm::Handle() const {
    // X window ids have 29 bits: they fit the core's handle.
    return static_cast<WindowHandle>(XidOf(gtk_widget_get_window(toolbar_)));
}

Text GtkForm::Caption() const {
    return TextOfUtf8(gtk_window_get_title(GTK_WINDOW(toolbar_)));
}

// The server's own record: an override-redirect window is where it was last
// put, with no window manager in between, and the parent is the root.
ServerRect GtkForm::OuterRect() const {
    return ServerGeometry(gtk_widget_get_window(toolbar_));
}

Twips GtkForm::Width() const {
    return ToTwips(OuterRect().width);
}

Twips GtkForm::Height() const {
    return ToTwips(OuterRect().height);
}

void GtkForm::SetWidth(Twips width) {
    const ServerRect rect = OuterRect();
    Place(rect, ServerRect{rect.left, rect.top, ToPixels(width), rect.height});
}

void GtkForm::SetHeight(Twips height) {
    const ServerRect rect = OuterRect();
    Place(rect, ServerRect{rect.left, rect.top, rect.width, ToPixels(height)});
}

void GtkForm::Move(Twips left, Twips top, std::optional<Twips> width, std::optional<Twips> height) {
    const ServerRect rect = OuterRect();
    Place(rect, ServerRect{ToPixels(left), ToPixels(top), width ? ToPixels(*width) : rect.width,
                           height ? ToPixels(*height) : rect.height});
}

// The follower moves the toolbar on every tick: when nothing changes, no
// request is made, so an idle toolbar costs the server nothing. GDK's call
// takes effect at once, in one request, so the next read sees it; GTK is
// told the size too, so that its own layout pass asks for the same, and,
// before the window is first shown, the place, where it will map it. The
// panel's windows are sized at once as well: left to GTK's next layout
// pass, a click right after an unfold would land beside them.
void GtkForm::Place(const ServerRect& current, const ServerRect& wanted) {
    if (current.left == wanted.left && current.top == wanted.top && current.width == wanted.width &&
        current.height == wanted.height) {
        return;
    }
    // X refuses empty windows; Windows keeps them at least a pixel wide.
    const int width = wanted.width > 0 ? wanted.width : 1;
    const int height = wanted.height > 0 ? wanted.height : 1;
    if (!gtk_widget_get_mapped(toolbar_)) {
        gtk_window_move(GTK_WINDOW(toolbar_), wanted.left, wanted.top);
    }
    gtk_window_resize(GTK_WINDOW(toolbar_), width, height);
    gdk_window_move_resize(gtk_widget_get_window(toolbar_), wanted.left, wanted.top, width, height);
    GtkRequisition measured{};
    gtk_widget_get_preferred_size(toolbar_, &measured, nullptr);
    GtkAllocation allocation{0, 0, width, height};
    gtk_widget_size_allocate(toolbar_, &allocation);
}

void GtkForm::SetEnabled(bool enabled) {
    gtk_widget_set_sensitive(toolbar_, enabled);
}

// Children keep the place their container gave them and the size GTK gives
// them, which a theme could make larger than asked: both are read from the
// widgets, allocated or not yet.
ControlGeometry GtkForm::Geometry(ControlId control) const {
    if (control == kFormWindowId) {
        const ServerRect rect = OuterRect();
        return {ToTwips(rect.left), ToTwips(rect.top), ToTwips(rect.width), ToTwips(rect.height)};
    }
    if (controls_.count(control) == 0) {
        // Controls without a widget (the timer) keep their design-time values.
        if (const ControlLayout* layout = FindLayout(layout_, control)) {
            return {layout->left, layout->top, layout->width, layout->height};
        }
    }
    GtkWidget* widget = FindControl(controls_, control).widget;
    GtkWidget* container = gtk_widget_get_parent(widget);
    int left = 0, top = 0;
    gtk_container_child_get(GTK_CONTAINER(container), widget, "x", &left, "y", &top, nullptr);
    GtkRequisition size{};
    gtk_widget_get_preferred_size(widget, &size, nullptr);
    return {ToTwips(left), ToTwips(top), ToTwips(size.width), ToTwips(size.height)};
}

GtkButton* GtkForm::ButtonOf(ControlId button) const {
    GtkWidget* widget = FindControl(controls_, button).widget;
    if (!GTK_IS_BUTTON(widget)) {
        RaiseInvalidControl();
    }
    return GTK_BUTTON(widget);
}

Text GtkForm::ButtonCaption(ControlId button) const {
    return TextOfUtf8(gtk_button_get_label(ButtonOf(button)));
}

// Unchanged captions are not set again: the follower sets it on every tick.
void GtkForm::SetButtonCaption(ControlId button, const Text& caption) {
    GtkButton* widget = ButtonOf(button);
    const std::string text = Utf8FromText(caption);
    const char* current = gtk_button_get_label(widget);
    if (current != nullptr && text == current) return;
    gtk_button_set_label(widget, text.c_str());
}

}  // namespace brumelis
