#include "tests/kwin/e2e/screen_shot.h"

#include <gio/gio.h>
#include <gio/gunixfdlist.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tests/sway/e2e/screen_shot.h"

namespace brumelis::kwin_tests {

namespace {

// QImage's formats KWin writes: 32-bit words 0xAARRGGBB in host order, or
// bytes R, G, B, A.
constexpr guint32 kRgb32 = 4, kArgb32 = 5, kArgb32Premultiplied = 6;
constexpr guint32 kRgbx8888 = 16, kRgba8888 = 17, kRgba8888Premultiplied = 18;

guint32 Number(GVariant* results, const char* key) {
    guint32 value = 0;
    g_variant_lookup(results, key, "u", &value);
    return value;
}

std::string ReadAll(int fd) {
    std::string bytes;
    char chunk[65536];
    for (ssize_t got; (got = read(fd, chunk, sizeof chunk)) > 0;) bytes.append(chunk, got);
    return bytes;
}

}  // namespace

std::vector<std::uint32_t> ScreenShot(const scenarios::Rect& area) {
    // KWin nested in sway (KWin 6 without a render node): sway's screen is KWin's.
    if (const char* host = std::getenv("BRUMELIS_KWIN_HOST_DISPLAY"); host != nullptr && *host)
        return sway_tests::ScreenShot(area, host);
    std::vector<std::uint32_t> pixels;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    int ends[2];
    if (bus == nullptr || pipe(ends) != 0) return pixels;
    GUnixFDList* fds = g_unix_fd_list_new_from_array(&ends[1], 1);  // takes the write end
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "include-cursor", g_variant_new_boolean(FALSE));
    // In logical pixels, the area's, on a scaled output too.
    g_variant_builder_add(&options, "{sv}", "native-resolution", g_variant_new_boolean(FALSE));
    GVariant* results = g_dbus_connection_call_with_unix_fd_list_sync(
        bus, "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureArea",
        g_variant_new("(iiuua{sv}h)", area.left, area.top, area.width, area.height, &options, 0),
        G_VARIANT_TYPE("(a{sv})"), G_DBUS_CALL_FLAGS_NONE, 5000, fds, nullptr, nullptr, nullptr);
    g_object_unref(fds);
    // KWin writes on a thread of its own once it has answered.
    const std::string bytes = ReadAll(ends[0]);
    close(ends[0]);
    g_object_unref(bus);
    if (results == nullptr) return pixels;
    GVariant* map = g_variant_get_child_value(results, 0);
    const guint32 width = Number(map, "width"), height = Number(map, "height");
    const guint32 stride = Number(map, "stride"), format = Number(map, "format");
    g_variant_unref(map);
    g_variant_unref(results);
    if (width != static_cast<guint32>(area.width) || height != static_cast<guint32>(area.height) ||
        bytes.size() < static_cast<std::size_t>(stride) * height)
        return pixels;
    const bool words = format == kRgb32 || format == kArgb32 || format == kArgb32Premultiplied;
    const bool rgba =
        format == kRgbx8888 || format == kRgba8888 || format == kRgba8888Premultiplied;
    if (!words && !rgba) return pixels;
    pixels.reserve(static_cast<std::size_t>(width) * height);
    for (guint32 y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(bytes.data()) + y * stride;
        for (guint32 x = 0; x < width; ++x) {
            const unsigned char* p = row + 4 * x;
            std::uint32_t word;
            if (words) {
                std::uint32_t host;
                __builtin_memcpy(&host, p, 4);
                word = host & 0xFFFFFF;
            } else {
                word = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
            }
            pixels.push_back(word);
        }
    }
    return pixels;
}

}  // namespace brumelis::kwin_tests
