#include "tests/x11/e2e/accessible_tree.h"

#include <atspi/atspi.h>

#include <vector>

namespace brumelis::x11_tests {

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

// The push buttons below `object`, their names in tree order.
void CollectButtonNames(AtspiAccessible* object, std::vector<std::string>& names, int depth) {
    atspi_accessible_clear_cache(object);
    if (atspi_accessible_get_role(object, nullptr) == ATSPI_ROLE_PUSH_BUTTON) {
        names.push_back(NameOf(object));
    }
    if (depth == 0) return;
    const gint count = atspi_accessible_get_child_count(object, nullptr);
    for (gint index = 0; index < count; ++index) {
        Ref child(atspi_accessible_get_child_at_index(object, index, nullptr));
        if (child.object != nullptr) CollectButtonNames(child.object, names, depth - 1);
    }
}

}  // namespace

std::optional<std::string> PushButtonName(pid_t program, const std::string& windowName) {
    if (!Connected()) return std::nullopt;
    // Signals the bus sent since the last look; nothing here waits on them.
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    Ref desktop(atspi_get_desktop(0));
    if (desktop.object == nullptr) return std::nullopt;
    atspi_accessible_clear_cache(desktop.object);
    std::vector<std::string> names;
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
            if (window.object != nullptr && NameOf(window.object) == windowName)
                CollectButtonNames(window.object, names, 8);
        }
    }
    if (names.size() != 1) return std::nullopt;
    return names.front();
}

}  // namespace brumelis::x11_tests
