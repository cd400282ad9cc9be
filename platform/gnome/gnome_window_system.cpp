#include "platform/gnome/gnome_window_system.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace brumelis {

namespace {

bool Is(GVariant* values, const char* type) {
    return values != nullptr && g_variant_is_of_type(values, G_VARIANT_TYPE(type));
}

// The extension's numbers: a sum past 32 bits stops at the largest.
ScreenRect RectOf(gint32 x, gint32 y, gint32 width, gint32 height) {
    const auto end = [](gint32 start, gint32 size) {
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(std::int64_t{start} + size, INT32_MIN, INT32_MAX));
    };
    return {x, y, end(x, width), end(y, height)};
}

}  // namespace

std::optional<ShellFocus> ReadShellFocus(GVariant* values) {
    if (!Is(values, "(u(iiii)b)")) return std::nullopt;
    guint32 window = 0;
    gint32 x = 0, y = 0, width = 0, height = 0;
    gboolean above = FALSE;
    g_variant_get(values, "(u(iiii)b)", &window, &x, &y, &width, &height, &above);
    return ShellFocus{static_cast<WindowHandle>(window), RectOf(x, y, width, height),
                      above != FALSE};
}

GnomeWindowSystem::GnomeWindowSystem(std::unique_ptr<ShellLink> link, const ShellFocus& start)
    : link_(std::move(link)), focus_(start) {
    link_->OnSignal([this](const char* name, GVariant* values) { OnSignal(name, values); });
}

std::optional<ScreenRect> GnomeWindowSystem::VisibleFrame(WindowHandle window) {
    // The extension tells the frame of the focused window only.
    if (window == 0 || window != focus_.window) return std::nullopt;
    return focus_.frame;
}

void GnomeWindowSystem::WatchMoves(WindowHandle window, std::function<void()> moved) {
    watched_ = window;
    moved_ = std::move(moved);
}

ChangeAnswer GnomeWindowSystem::KeepAbove(WindowHandle window, bool above) {
    if (window == 0 || window != focus_.window) return ChangeAnswer::kAccepted;
    link_->Call("KeepAbove", g_variant_new("(ub)", static_cast<guint32>(window), above), nullptr);
    return ChangeAnswer::kAccepted;
}

ChangeAnswer GnomeWindowSystem::SetOpacity(WindowHandle window, std::uint8_t opacity) {
    if (window == 0 || window != focus_.window) return ChangeAnswer::kAccepted;
    if (window != opacityWindow_) pendingOpacity_.reset();
    opacityWindow_ = window;
    pendingOpacity_ = opacity;
    SendOpacity();
    return ChangeAnswer::kAccepted;
}

void GnomeWindowSystem::SendOpacity() {
    if (opacityInFlight_ || !pendingOpacity_) return;
    opacityInFlight_ = true;
    const std::uint8_t opacity = *pendingOpacity_;
    pendingOpacity_.reset();
    // A window that lost the focus meanwhile is left as it is by the
    // extension; the answer comes all the same.
    link_->Call("SetOpacity", g_variant_new("(uy)", static_cast<guint32>(opacityWindow_), opacity),
                [this](GVariant*) {
                    opacityInFlight_ = false;
                    SendOpacity();
                });
}

void GnomeWindowSystem::Activate(WindowHandle window) {
    if (window == 0 || window != focus_.window) return;
    link_->Call("Activate", g_variant_new("(u)", static_cast<guint32>(window)), nullptr);
}

// A signal about a window that is no longer the focused one (it closed, or
// the focus moved, between two signals) says nothing the program needs.
void GnomeWindowSystem::OnSignal(const char* name, GVariant* values) {
    if (std::strcmp(name, "Focus") == 0) {
        if (const auto focus = ReadShellFocus(values)) focus_ = *focus;
        return;
    }
    if (std::strcmp(name, "Frame") == 0 && Is(values, "(u(iiii))")) {
        guint32 window = 0;
        gint32 x = 0, y = 0, width = 0, height = 0;
        g_variant_get(values, "(u(iiii))", &window, &x, &y, &width, &height);
        const auto handle = static_cast<WindowHandle>(window);
        if (handle == 0 || handle != focus_.window) return;
        focus_.frame = RectOf(x, y, width, height);
        if (handle == watched_ && moved_) moved_();
        return;
    }
    if (std::strcmp(name, "Above") == 0 && Is(values, "(ub)")) {
        guint32 window = 0;
        gboolean above = FALSE;
        g_variant_get(values, "(ub)", &window, &above);
        const auto handle = static_cast<WindowHandle>(window);
        if (handle != 0 && handle == focus_.window) focus_.above = above != FALSE;
    }
}

}  // namespace brumelis
