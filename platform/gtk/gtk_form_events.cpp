// GDK events of the toolbar's widgets, translated for the form's input:
// presses, releases, moves, the button's click and the timer's tick. GDK's
// implicit grab sends every event after a press to the pressed window until
// the last button is up, with positions relative to it: moves keep going to
// the pressed control, as mouse capture does on Windows.
#include <cmath>

#include "platform/gtk/gtk_form.h"

namespace brumelis {

namespace {

// X numbers the middle button 2 and the right one 3.
int ButtonBit(guint button) {
    switch (button) {
        case 1: return 1;
        case 2: return 4;
        case 3: return 2;
        default: return 0;
    }
}

PointerInput Translate(ControlId control, guint button, guint state, double x, double y) {
    return PointerInput{control, ButtonBit(button), state, static_cast<int>(std::floor(x)),
                        static_cast<int>(std::floor(y))};
}

}  // namespace

void GtkForm::Connect(Control& control) {
    if (GTK_IS_BUTTON(control.widget)) {
        g_signal_connect(control.widget, "clicked", G_CALLBACK(&GtkForm::OnClicked), &control);
        return;
    }
    gtk_widget_add_events(
        control.widget, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK);
    g_signal_connect(control.widget, "button-press-event", G_CALLBACK(&GtkForm::OnButtonPress),
                     &control);
    g_signal_connect(control.widget, "button-release-event", G_CALLBACK(&GtkForm::OnButtonRelease),
                     &control);
    g_signal_connect(control.widget, "motion-notify-event", G_CALLBACK(&GtkForm::OnMotion),
                     &control);
    g_signal_connect(control.widget, "grab-broken-event", G_CALLBACK(&GtkForm::OnGrabBroken),
                     &control);
}

// Every handler answers TRUE: a panel's events are its own and do not reach
// the panel around it.
gboolean GtkForm::OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto& control = *static_cast<Control*>(data);
    FormInput& input = control.form->input_;
    // GDK reports the second press of a double click twice: as a press,
    // then as a double press.
    if (event->type == GDK_2BUTTON_PRESS && event->button == 1) input.SecondPress(control.id);
    if (event->type != GDK_BUTTON_PRESS) return TRUE;
    input.Press(Translate(control.id, event->button, event->state, event->x, event->y));
    return TRUE;
}

gboolean GtkForm::OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto& control = *static_cast<Control*>(data);
    GtkForm& form = *control.form;
    form.input_.Release(Translate(control.id, event->button, event->state, event->x, event->y),
                        [&] { return form.IsPointerOver(control, event->x_root, event->y_root); });
    return TRUE;
}

gboolean GtkForm::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto& control = *static_cast<Control*>(data);
    control.form->input_.Move(Translate(control.id, 0, event->state, event->x, event->y));
    return TRUE;
}

// The grab taken away (a message box, another program's grab).
gboolean GtkForm::OnGrabBroken(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<Control*>(data)->form->input_.CaptureLost();
    return FALSE;
}

void GtkForm::OnClicked(GtkButton*, gpointer data) {
    auto& control = *static_cast<Control*>(data);
    control.form->input_.ButtonClicked(control.id);
}

gboolean GtkForm::OnTimer(gpointer data) {
    auto& timer = *static_cast<Timer*>(data);
    timer.form->input_.Tick(timer.id);
    return G_SOURCE_CONTINUE;
}

// The release counts as a click only where the control is the window the
// pointer is over: not over a child, a sibling on top, or another program's
// window. While the press's grab lasts GDK answers "the grabbing window" to
// every question of this kind, so the point is looked up by hand: the
// placement says whether the toolbar is the window there, GDK's tree
// (topmost child first) which control inside it.
bool GtkForm::IsPointerOver(const Control& control, double rootX, double rootY) const {
    GdkWindow* window = gtk_widget_get_window(toolbar_);
    const auto point = placement_->PointInWindow(GTK_WINDOW(toolbar_), rootX, rootY);
    if (!point) return false;
    int left = point->x, top = point->y;
    for (GList* child = gdk_window_peek_children(window); child != nullptr;) {
        auto* candidate = static_cast<GdkWindow*>(child->data);
        int childLeft = 0, childTop = 0;
        gdk_window_get_position(candidate, &childLeft, &childTop);
        if (gdk_window_is_visible(candidate) && left >= childLeft && top >= childTop &&
            left < childLeft + gdk_window_get_width(candidate) &&
            top < childTop + gdk_window_get_height(candidate)) {
            window = candidate;
            left -= childLeft;
            top -= childTop;
            child = gdk_window_peek_children(window);
        } else {
            child = child->next;
        }
    }
    return window == gtk_widget_get_window(control.widget);
}

}  // namespace brumelis
