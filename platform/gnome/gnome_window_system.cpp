#include "platform/gnome/gnome_window_system.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/gnome/extension_problem.h"

namespace brumelis {

namespace {

// GNOME Shell's ExtensionState for an extension that runs.
constexpr double kEnabled = 1;

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

int X11ScaleOf(const StageSize& stage, int x11Width, int x11Height) {
    if (stage.width <= 0 || stage.height <= 0 || x11Width % stage.width != 0) return 1;
    const int scale = x11Width / stage.width;
    return scale >= 1 && x11Height == stage.height * scale ? scale : 1;
}

std::optional<ShellFocus> ReadShellFocus(GVariant* values) {
    guint32 window = 0;
    gint32 x = 0, y = 0, width = 0, height = 0;
    if (Is(values, "(u(iiii))")) {
        g_variant_get(values, "(u(iiii))", &window, &x, &y, &width, &height);
    } else if (Is(values, "(u(iiii)b)")) {
        gboolean ignored = FALSE;
        g_variant_get(values, "(u(iiii)b)", &window, &x, &y, &width, &height, &ignored);
    } else {
        return std::nullopt;
    }
    return ShellFocus{static_cast<WindowHandle>(window), RectOf(x, y, width, height)};
}

std::optional<bool> ReadExtensionEnabled(GVariant* values) {
    if (!Is(values, "(sa{sv})")) return std::nullopt;
    const gchar* uuid = nullptr;
    GVariant* info = nullptr;
    g_variant_get(values, "(&s@a{sv})", &uuid, &info);
    double state = -1;
    const bool known = std::strcmp(uuid, kExtensionUuid) == 0 &&
                       g_variant_lookup(info, "state", "d", &state) != FALSE;
    g_variant_unref(info);
    if (!known) return std::nullopt;
    return state == kEnabled;
}

GnomeWindowSystem::GnomeWindowSystem(std::unique_ptr<ShellLink> link, const ShellFocus& start)
    : link_(std::move(link)), focus_(start) {
    link_->OnSignal([this](const char* name, GVariant* values) { OnSignal(name, values); });
}

std::optional<ScreenRect> GnomeWindowSystem::VisibleFrame(WindowHandle window) {
    // The extension tells the frame of the focused window only.
    if (window == 0 || window != focus_.window) return std::nullopt;
    const ScreenRect& frame = focus_.frame;
    return ScreenRect{frame.left * x11Scale_, frame.top * x11Scale_, frame.right * x11Scale_,
                      frame.bottom * x11Scale_};
}

void GnomeWindowSystem::WatchMoves(WindowHandle window, std::function<void()> moved) {
    watched_ = window;
    moved_ = std::move(moved);
}

// The extension changes the focused window only: another one (the focus
// moved between the tick and the click) cannot be changed now either.
ChangeAnswer GnomeWindowSystem::KeepAbove(WindowHandle window, bool above) {
    if (window == 0) return ChangeAnswer::kAccepted;
    if (!served_ || window != focus_.window) return ChangeAnswer::kNotNow;
    const std::string error =
        link_->Ask("KeepAbove", g_variant_new("(ub)", static_cast<guint32>(window), above));
    if (error.empty()) return ChangeAnswer::kAccepted;
    if (ExtensionAbsent(error)) Lost();
    return ChangeAnswer::kNotNow;
}

ChangeAnswer GnomeWindowSystem::SetOpacity(WindowHandle window, std::uint8_t opacity) {
    if (window == 0) return ChangeAnswer::kAccepted;
    if (!served_ || window != focus_.window) return ChangeAnswer::kNotNow;
    if (window != opacityWindow_) pendingOpacity_.reset();
    opacityWindow_ = window;
    pendingOpacity_ = opacity;
    SendOpacity();
    return ChangeAnswer::kAccepted;
}

void GnomeWindowSystem::SendOpacity() {
    if (opacityInFlight_ || !pendingOpacity_ || !served_) return;
    opacityInFlight_ = true;
    const std::uint8_t opacity = *pendingOpacity_;
    pendingOpacity_.reset();
    link_->Call("SetOpacity", g_variant_new("(uy)", static_cast<guint32>(opacityWindow_), opacity),
                [this](GVariant*) {
                    opacityInFlight_ = false;
                    // A refusal (the window lost the focus for a moment)
                    // drops its own value only: the latest asked since still
                    // goes. An extension that went is the Shell's to say
                    // (Lost), and then nothing is sent.
                    SendOpacity();
                });
}

void GnomeWindowSystem::Activate(WindowHandle window) {
    if (!served_ || window == 0 || window != focus_.window) return;
    link_->Call("Activate", g_variant_new("(u)", static_cast<guint32>(window)), nullptr);
}

void GnomeWindowSystem::Lost() {
    served_ = false;
    pendingOpacity_.reset();
    ++follows_;  // an answer still on its way is older than this
}

void GnomeWindowSystem::FollowAgain() {
    Lost();
    const unsigned follow = follows_;
    link_->Call("Follow", nullptr, [this, follow](GVariant* values) {
        if (follow != follows_) return;
        const auto focus = ReadShellFocus(values);
        if (!focus) return;
        focus_ = *focus;
        served_ = true;
    });
}

// A signal about a window that is no longer the focused one (it closed, or
// the focus moved, between two signals) says nothing the program needs.
void GnomeWindowSystem::OnSignal(const char* name, GVariant* values) {
    if (std::strcmp(name, kExtensionStateChanged) == 0) {
        const auto enabled = ReadExtensionEnabled(values);
        // Back, it serves nobody: it is asked to follow at once.
        if (enabled && *enabled) FollowAgain();
        if (enabled && !*enabled) Lost();
        return;
    }
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
    }
}

}  // namespace brumelis
