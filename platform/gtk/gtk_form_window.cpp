// The form window over GTK: its caption and state, and its geometry in
// pixels, as its placement reads and sets it.
#include "platform/form_controls.h"
#include "platform/gtk/gtk_form.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_value_panel.h"

namespace brumelis {

WindowHandle GtkForm::Handle() const {
    return placement_->Handle(GTK_WINDOW(toolbar_));
}

Text GtkForm::Caption() const {
    return TextOfUtf8(gtk_window_get_title(GTK_WINDOW(toolbar_)));
}

PixelRect GtkForm::OuterRect() const {
    return placement_->OuterRect(GTK_WINDOW(toolbar_));
}

// GTK is told the size too, so that its own layout pass asks for the same.
// The panel's windows are sized at once as well: left to GTK's next layout
// pass, a click right after an unfold would land beside them.
void GtkForm::Place(const PixelRect& wanted) {
    // X refuses empty windows; Windows keeps them at least a pixel wide.
    const int width = wanted.width > 0 ? wanted.width : 1;
    const int height = wanted.height > 0 ? wanted.height : 1;
    gtk_window_resize(GTK_WINDOW(toolbar_), width, height);
    placement_->Place(GTK_WINDOW(toolbar_), PixelRect{wanted.left, wanted.top, width, height});
    GtkRequisition measured{};
    gtk_widget_get_preferred_size(toolbar_, &measured, nullptr);
    GtkAllocation allocation{0, 0, width, height};
    gtk_widget_size_allocate(toolbar_, &allocation);
}

void GtkForm::SetEnabled(bool enabled) {
    gtk_widget_set_sensitive(toolbar_, enabled);
}

void GtkForm::StayAbove() {
    placement_->StayAbove(GTK_WINDOW(toolbar_));
}

// Children keep the place their container gave them and the size GTK gives
// them, which a theme could make larger than asked: both are read from the
// widgets, allocated or not yet.
std::optional<PixelRect> GtkForm::ControlRect(ControlId control) const {
    const auto found = controls_.find(control);
    if (found == controls_.end()) return std::nullopt;
    GtkWidget* widget = found->second.widget;
    GtkWidget* container = gtk_widget_get_parent(widget);
    int left = 0, top = 0;
    gtk_container_child_get(GTK_CONTAINER(container), widget, "x", &left, "y", &top, nullptr);
    GtkRequisition size{};
    gtk_widget_get_preferred_size(widget, &size, nullptr);
    return PixelRect{left, top, size.width, size.height};
}

GtkButton* GtkForm::ButtonOf(ControlId button) const {
    GtkWidget* widget = FindControl(controls_, button).widget;
    if (!GTK_IS_BUTTON(widget)) RaiseInvalidControl();
    return GTK_BUTTON(widget);
}

Text GtkForm::ButtonCaption(ControlId button) const {
    return TextOfUtf8(gtk_button_get_label(ButtonOf(button)));
}

// Unchanged captions are not set again: the follower sets it on every tick.
void GtkForm::SetAccessibleValue(ControlId slider, int percent) {
    SetPanelValue(WidgetOf(slider), percent);
}

void GtkForm::SetButtonCaption(ControlId button, const Text& caption) {
    GtkButton* widget = ButtonOf(button);
    const std::string text = Utf8FromText(caption);
    const char* current = gtk_button_get_label(widget);
    if (current != nullptr && text == current) return;
    gtk_button_set_label(widget, text.c_str());
}

}  // namespace brumelis
