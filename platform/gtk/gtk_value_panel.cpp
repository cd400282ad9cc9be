#include "platform/gtk/gtk_value_panel.h"

#include <gtk/gtk-a11y.h>

namespace brumelis {

namespace {

constexpr double kMaximum = 100;

struct ValueAccessible {
    GtkContainerAccessible parent;
    double value;
};
struct ValueAccessibleClass {
    GtkContainerAccessibleClass parent;
};

double& ValueOf(AtkValue* object) {
    return reinterpret_cast<ValueAccessible*>(object)->value;
}

void SetDouble(GValue* value, double number) {
    g_value_init(value, G_TYPE_DOUBLE);
    g_value_set_double(value, number);
}

void InitValueInterface(gpointer table, gpointer) {
    auto* value = static_cast<AtkValueIface*>(table);
    // The newer calls and the older ones the bridge may still ask.
    value->get_value_and_text = [](AtkValue* object, gdouble* current, gchar** text) {
        *current = ValueOf(object);
        if (text != nullptr) *text = g_strdup_printf("%d %%", static_cast<int>(*current));
    };
    value->get_range = [](AtkValue*) { return atk_range_new(0, kMaximum, nullptr); };
    value->get_increment = [](AtkValue*) { return kMaximum / 10; };
    value->get_current_value = [](AtkValue* object, GValue* out) {
        SetDouble(out, ValueOf(object));
    };
    value->get_minimum_value = [](AtkValue*, GValue* out) { SetDouble(out, 0); };
    value->get_maximum_value = [](AtkValue*, GValue* out) { SetDouble(out, kMaximum); };
}

GType ValueAccessibleType() {
    static const GType type = [] {
        const GType registered = g_type_register_static_simple(
            GTK_TYPE_CONTAINER_ACCESSIBLE, "BrumelisValueAccessible", sizeof(ValueAccessibleClass),
            nullptr, sizeof(ValueAccessible),
            [](GTypeInstance* object, gpointer) {
                reinterpret_cast<ValueAccessible*>(object)->value = kMaximum;
            },
            GTypeFlags{});
        const GInterfaceInfo value{InitValueInterface, nullptr, nullptr};
        g_type_add_interface_static(registered, ATK_TYPE_VALUE, &value);
        return registered;
    }();
    return type;
}

GType ValuePanelType() {
    static const GType type = g_type_register_static_simple(
        GTK_TYPE_EVENT_BOX, "BrumelisValuePanel", sizeof(GtkEventBoxClass),
        [](gpointer widgetClass, gpointer) {
            gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(widgetClass),
                                                 ValueAccessibleType());
        },
        sizeof(GtkEventBox), nullptr, GTypeFlags{});
    return type;
}

}  // namespace

GtkWidget* NewValuePanel() {
    return GTK_WIDGET(g_object_new(ValuePanelType(), nullptr));
}

void SetPanelValue(GtkWidget* panel, int percent) {
    AtkObject* accessible = gtk_widget_get_accessible(panel);
    if (!G_TYPE_CHECK_INSTANCE_TYPE(accessible, ValueAccessibleType())) return;
    double& value = ValueOf(ATK_VALUE(accessible));
    if (value == percent) return;
    value = percent;
    g_object_notify(G_OBJECT(accessible), "accessible-value");
}

}  // namespace brumelis
