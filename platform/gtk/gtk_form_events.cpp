// GDK events of the toolbar's widgets, decoded into form events: presses,
// releases, moves, the button's click and the timer's tick. GDK's implicit
// grab sends every event after a press to the pressed window until the last
// button is up, with positions relative to it: moves keep going to the
// pressed control, as mouse capture does on Windows.
#include <cmath>

#include "platform/gtk/gtk_form.h"
#include "platform/gtk/gtk_support.h"
#include "platform/gtk/gtk_x11_window.h"

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

int HeldButtons(guint state) {
    return ((state & GDK_BUTTON1_MASK) ? 1 : 0) | ((state & GDK_BUTTON3_MASK) ? 2 : 0) |
           ((state & GDK_BUTTON2_MASK) ? 4 : 0);
}

int ShiftState(guint state) {
    return ((state & GDK_SHIFT_MASK) ? 1 : 0) | ((state & GDK_CONTROL_MASK) ? 2 : 0) |
           ((state & GDK_MOD1_MASK) ? 4 : 0);
}

MouseEvent DecodeMouse(int button, guint state, double x, double y) {
    return MouseEvent{button, ShiftState(state), ToTwips(static_cast<int>(std::floor(x))),
                      ToTwips(static_cast<int>(std::floor(y)))};
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
    GtkForm& form = *control.form;
    const int button = ButtonBit(event->button);
    if (button == 0) return TRUE;
    // GDK reports the second press of a double click twice: as a press,
    // then as a double press.
    if (event->type == GDK_2BUTTON_PRESS) {
        if (button == 1 && form.leftPress_ && form.leftPress_->control == control.id) {
            form.leftPress_->secondPress = true;
        }
        return TRUE;
    }
    if (event->type != GDK_BUTTON_PRESS) return TRUE;
    if (button == 1) form.leftPress_ = LeftPress{control.id, false};
    const ControlId id = control.id;
    const MouseEvent mouse = DecodeMouse(button, event->state, event->x, event->y);
    form.dispatcher_.Dispatch([id, mouse](FormEvents& events) { events.MouseDown(id, mouse); });
    return TRUE;
}

gboolean GtkForm::OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
    auto& control = *static_cast<Control*>(data);
    GtkForm& form = *control.form;
    if (event->button != 1) return TRUE;
    std::optional<LeftPress> click;
    if (form.leftPress_ && form.leftPress_->control == control.id &&
        form.IsPointerOver(control, event->x_root, event->y_root)) {
        click = form.leftPress_;
    }
    form.leftPress_.reset();
    if (!click) return TRUE;
    const ControlId id = control.id;
    form.dispatcher_.Dispatch([id](FormEvents& events) { events.Click(id); });
    if (click->secondPress) {
        form.dispatcher_.Dispatch([id](FormEvents& events) { events.DoubleClick(id); });
    }
    return TRUE;
}

gboolean GtkForm::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    auto& control = *static_cast<Control*>(data);
    const ControlId id = control.id;
    const MouseEvent mouse =
        DecodeMouse(HeldButtons(event->state), event->state, event->x, event->y);
    control.form->dispatcher_.Dispatch(
        [id, mouse](FormEvents& events) { events.MouseMove(id, mouse); });
    return TRUE;
}

// The grab taken away (a message box, another program's grab): no click
// follows.
gboolean GtkForm::OnGrabBroken(GtkWidget*, GdkEvent*, gpointer data) {
    static_cast<Control*>(data)->form->leftPress_.reset();
    return FALSE;
}

void GtkForm::OnClicked(GtkButton*, gpointer data) {
    auto& control = *static_cast<Control*>(data);
    const ControlId id = control.id;
    control.form->dispatcher_.Dispatch([id](FormEvents& events) { events.Click(id); });
}

gboolean GtkForm::OnTimer(gpointer data) {
    auto& timer = *static_cast<Timer*>(data);
    const ControlId id = timer.id;
    timer.form->dispatcher_.Dispatch([id](FormEvents& events) { events.Tick(id); });
    return G_SOURCE_CONTINUE;
}

// The release counts as a click only where the control is the window the
// pointer is over: not over a child, a sibling on top, or another program's
// window. While the press's grab lasts GDK answers "the grabbing window" to
// every question of this kind, so the point is looked up by hand: the X
// server names the top-level window there, GDK's tree (topmost child first)
// the control inside the toolbar.
bool GtkForm::IsPointerOver(const Control& control, double rootX, double rootY) const {
    GdkWindow* window = gtk_widget_get_window(toolbar_);
    const int x = static_cast<int>(std::floor(rootX));
    const int y = static_cast<int>(std::floor(rootY));
    if (ToplevelAt(window, x, y) != XidOf(window)) return false;
    const ServerRect toolbar = OuterRect();
    int left = x - toolbar.left, top = y - toolbar.top;
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
