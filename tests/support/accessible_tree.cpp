#include "tests/support/accessible_tree.h"

#include <atspi/atspi.h>

namespace brumelis::test_support {

namespace {

// Owns one reference; AT-SPI answers each call with a new one.
struct Ref {
    AtspiAccessible* object;
    explicit Ref(AtspiAccessible* accessible) : object(accessible) {}
    ~Ref() {
        if (object != nullptr) g_object_unref(object);
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
};

bool Connected() {
    // 0 on the first call, 1 when already connected.
    static const bool connected = atspi_init() >= 0;
    return connected;
}

// Each look asks the program afresh: a name seen before may have changed.
std::string NameOf(AtspiAccessible* object) {
    atspi_accessible_clear_cache(object);
    gchar* name = atspi_accessible_get_name(object, nullptr);
    std::string text = name != nullptr ? name : "";
    g_free(name);
    return text;
}

bool HasState(AtspiAccessible* object, AtspiStateType state) {
    AtspiStateSet* states = atspi_accessible_get_state_set(object);
    if (states == nullptr) return false;
    const bool has = atspi_state_set_contains(states, state);
    g_object_unref(states);
    return has;
}

AccessibleButton ButtonOf(AtspiAccessible* object) {
    AccessibleButton button{NameOf(object)};
    button.isDefault = HasState(object, ATSPI_STATE_IS_DEFAULT);
    AtspiComponent* component = atspi_accessible_get_component_iface(object);
    if (component == nullptr) return button;
    AtspiRect* extent = atspi_component_get_extents(component, ATSPI_COORD_TYPE_WINDOW, nullptr);
    if (extent != nullptr) {
        button.x = extent->x;
        button.y = extent->y;
        button.width = extent->width;
        button.height = extent->height;
        g_free(extent);
    }
    g_object_unref(component);
    return button;
}

// The push buttons and labels below `object`, in tree order.
void Collect(AtspiAccessible* object, AccessibleWindow& window, int depth) {
    atspi_accessible_clear_cache(object);
    const AtspiRole role = atspi_accessible_get_role(object, nullptr);
    // A button's own label is its name.
    if (role == ATSPI_ROLE_PUSH_BUTTON) {
        window.buttons.push_back(ButtonOf(object));
        return;
    }
    if (role == ATSPI_ROLE_SLIDER) {
        AtspiValue* value = atspi_accessible_get_value_iface(object);
        window.sliders.push_back(
            {NameOf(object), value ? atspi_value_get_current_value(value, nullptr) : -1});
        if (value != nullptr) g_object_unref(value);
    }
    // A label not shown (the title of a header bar the server's title bar
    // replaces) says nothing.
    if (role == ATSPI_ROLE_LABEL && HasState(object, ATSPI_STATE_SHOWING)) {
        std::string text = NameOf(object);
        if (!text.empty()) window.labels.push_back(std::move(text));
    }
    if (depth == 0) return;
    const gint count = atspi_accessible_get_child_count(object, nullptr);
    for (gint index = 0; index < count; ++index) {
        Ref child(atspi_accessible_get_child_at_index(object, index, nullptr));
        if (child.object != nullptr) Collect(child.object, window, depth - 1);
    }
}

}  // namespace

std::optional<AccessibleWindow> ReadWindow(pid_t program, const std::string& windowName) {
    if (!Connected()) return std::nullopt;
    // Signals the bus sent since the last look; nothing here waits on them.
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    Ref desktop(atspi_get_desktop(0));
    if (desktop.object == nullptr) return std::nullopt;
    atspi_accessible_clear_cache(desktop.object);
    std::optional<AccessibleWindow> found;
    const gint applications = atspi_accessible_get_child_count(desktop.object, nullptr);
    for (gint index = 0; index < applications; ++index) {
        Ref application(atspi_accessible_get_child_at_index(desktop.object, index, nullptr));
        if (application.object == nullptr ||
            atspi_accessible_get_process_id(application.object, nullptr) !=
                static_cast<guint>(program))
            continue;
        atspi_accessible_clear_cache(application.object);
        const gint windows = atspi_accessible_get_child_count(application.object, nullptr);
        for (gint at = 0; at < windows; ++at) {
            Ref window(atspi_accessible_get_child_at_index(application.object, at, nullptr));
            if (window.object == nullptr || NameOf(window.object) != windowName) continue;
            if (!found) found.emplace();
            found->showing = found->showing || HasState(window.object, ATSPI_STATE_SHOWING);
            Collect(window.object, *found, 8);
        }
    }
    return found;
}

std::optional<std::string> PushButtonName(pid_t program, const std::string& windowName) {
    const std::optional<AccessibleWindow> window = ReadWindow(program, windowName);
    if (!window || window->buttons.size() != 1) return std::nullopt;
    return window->buttons.front().name;
}

}  // namespace brumelis::test_support
