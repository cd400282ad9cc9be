#include "tests/gnome/test_shell.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gio/gio.h>
#include <unistd.h>

namespace brumelis::gnome_tests {

namespace {

constexpr int kTimeoutMs = 5000;

GVariant* Ask(const char* path, const char* interface, const char* method, GVariant* parameters,
              std::string* errorName = nullptr, int timeoutMs = kTimeoutMs) {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr) return nullptr;
    GError* error = nullptr;
    GVariant* answer =
        g_dbus_connection_call_sync(bus, "org.gnome.Shell", path, interface, method, parameters,
                                    nullptr, G_DBUS_CALL_FLAGS_NONE, timeoutMs, nullptr, &error);
    if (error != nullptr && errorName != nullptr) {
        gchar* remote = g_dbus_error_get_remote_error(error);
        *errorName = remote != nullptr ? remote : error->message;
        g_free(remote);
    }
    g_clear_error(&error);
    g_object_unref(bus);
    return answer;
}

GVariant* AskTest(const char* method, GVariant* parameters = nullptr, int timeoutMs = kTimeoutMs) {
    return Ask("/example/zolvec/BrumelisTest", "example.zolvec.BrumelisTest1", method, parameters,
               nullptr, timeoutMs);
}

void Done(GVariant* answer) {
    if (answer != nullptr) g_variant_unref(answer);
}

// The text of an "(s)" answer, empty without one; the answer is done with.
std::string TextOf(GVariant* answer) {
    std::string text;
    if (answer != nullptr) {
        const gchar* words = nullptr;
        g_variant_get(answer, "(&s)", &words);
        text = words;
    }
    Done(answer);
    return text;
}

}  // namespace

std::vector<ShellWindow> TestShell::Windows() {
    std::vector<ShellWindow> windows;
    GVariant* answer = AskTest("Windows");
    if (answer == nullptr) return windows;
    GVariantIter* iter = nullptr;
    g_variant_get(answer, "(a(usub(iiii)bi))", &iter);
    ShellWindow w;
    const gchar* title = nullptr;
    gboolean focused = FALSE, above = FALSE;
    gint32 opacity = 0;
    while (g_variant_iter_next(iter, "(u&sub(iiii)bi)", &w.id, &title, &w.pid, &focused, &w.x, &w.y,
                               &w.width, &w.height, &above, &opacity)) {
        w.opacity = opacity == -2 ? std::nullopt : std::optional<int>(opacity);
        w.title = title;
        w.focused = focused != FALSE;
        w.above = above != FALSE;
        windows.push_back(w);
    }
    g_variant_iter_free(iter);
    g_variant_unref(answer);
    return windows;
}

std::optional<ShellWindow> TestShell::Window(std::uint32_t id) {
    for (const ShellWindow& window : Windows()) {
        if (window.id == id) return window;
    }
    return std::nullopt;
}

std::optional<ShellWindow> TestShell::WindowOf(std::uint32_t pid, const std::string& title) {
    for (const ShellWindow& window : Windows()) {
        if (window.pid == pid && window.title == title) return window;
    }
    return std::nullopt;
}

bool TestShell::StackedAbove(std::uint32_t upper, std::uint32_t lower) {
    int upperAt = -1, lowerAt = -1, at = 0;
    for (const ShellWindow& window : Windows()) {
        if (window.id == upper) upperAt = at;
        if (window.id == lower) lowerAt = at;
        ++at;
    }
    return upperAt >= 0 && lowerAt >= 0 && upperAt > lowerAt;
}

std::vector<std::vector<int>> TestShell::Monitors() {
    std::vector<std::vector<int>> monitors;
    GVariant* answer = AskTest("Monitors");
    if (answer == nullptr) return monitors;
    GVariantIter* iter = nullptr;
    g_variant_get(answer, "(a(iiii))", &iter);
    gint32 x = 0, y = 0, width = 0, height = 0;
    while (g_variant_iter_next(iter, "(iiii)", &x, &y, &width, &height))
        monitors.push_back({x, y, width, height});
    g_variant_iter_free(iter);
    g_variant_unref(answer);
    return monitors;
}

std::uint32_t TestShell::Focused() {
    GVariant* answer = AskTest("Focused");
    guint32 id = 0;
    if (answer != nullptr) g_variant_get(answer, "(u)", &id);
    Done(answer);
    return id;
}

std::string TestShell::Actor(std::uint32_t id) {
    return TextOf(AskTest("Actor", g_variant_new("(u)", id)));
}

std::vector<std::uint32_t> TestShell::FocusLog() {
    std::vector<std::uint32_t> log;
    GVariant* answer = AskTest("FocusLog");
    if (answer == nullptr) return log;
    GVariantIter* iter = nullptr;
    g_variant_get(answer, "(a(usu))", &iter);
    guint32 id = 0, pid = 0;
    const gchar* title = nullptr;
    while (g_variant_iter_next(iter, "(u&su)", &id, &title, &pid)) log.push_back(id);
    g_variant_iter_free(iter);
    g_variant_unref(answer);
    return log;
}

std::uint32_t TestShell::Pick(int x, int y) {
    GVariant* answer = AskTest("Pick", g_variant_new("(ii)", x, y));
    guint32 id = 0;
    if (answer != nullptr) g_variant_get(answer, "(u)", &id);
    Done(answer);
    return id;
}

void TestShell::Pointer(int x, int y, unsigned button, int press) {
    Done(AskTest("Pointer", g_variant_new("(iiui)", x, y, button, press)));
}

void TestShell::Move(std::uint32_t id, int x, int y) {
    Done(AskTest("Move", g_variant_new("(uii)", id, x, y)));
}

void TestShell::MoveResize(std::uint32_t id, int x, int y, int width, int height) {
    Done(AskTest("MoveResize", g_variant_new("(u(iiii))", id, x, y, width, height)));
}

void TestShell::Key(unsigned keyval, bool press) {
    Done(AskTest("Key", g_variant_new("(ub)", keyval, press)));
}

void TestShell::Hold(const std::string& accelerator) {
    Done(AskTest("Hold", g_variant_new("(s)", accelerator.c_str())));
}

void TestShell::Activate(std::uint32_t id) {
    Done(AskTest("Activate", g_variant_new("(u)", id)));
}

void TestShell::Lock(bool locked) {
    Done(AskTest("Lock", g_variant_new("(b)", locked)));
}

bool TestShell::SetBrumelisEnabled(bool enabled) {
    GVariant* answer = Ask("/org/gnome/Shell", "org.gnome.Shell.Extensions",
                           enabled ? "EnableExtension" : "DisableExtension",
                           g_variant_new("(s)", "brumelis@zolvec.example"));
    Done(answer);
    return answer != nullptr;
}

bool TestShell::SetBrumelisLoaded(bool loaded) {
    GVariant* answer = AskTest("LoadBrumelis", g_variant_new("(b)", loaded));
    gboolean done = FALSE;
    if (answer != nullptr) g_variant_get(answer, "(b)", &done);
    Done(answer);
    return done != FALSE;
}

std::string TestShell::Drag(std::uint32_t id, std::uint32_t tile, const DragSteps& steps) {
    // The drag (late by half or more on a loaded machine), then up to 2 s
    // for the tile to catch up.
    const int deadline = kTimeoutMs + 3 * static_cast<int>(steps.count * steps.everyMs);
    return TextOf(AskTest(
        "Drag",
        g_variant_new("(uu(iiuu))", id, tile, steps.dx, steps.dy, steps.count, steps.everyMs),
        deadline));
}

std::vector<std::uint32_t> TestShell::Capture(int x, int y, int width, int height) {
    std::vector<std::uint32_t> pixels;
    const std::string path = "/tmp/brumelis-gnome-shot-" + std::to_string(getpid()) + ".png";
    GVariant* answer =
        AskTest("Screenshot", g_variant_new("((iiii)s)", x, y, width, height, path.c_str()));
    gboolean taken = FALSE;
    if (answer != nullptr) g_variant_get(answer, "(b)", &taken);
    Done(answer);
    GdkPixbuf* shot = taken ? gdk_pixbuf_new_from_file(path.c_str(), nullptr) : nullptr;
    unlink(path.c_str());
    if (shot == nullptr) return pixels;
    const int channels = gdk_pixbuf_get_n_channels(shot);
    const int stride = gdk_pixbuf_get_rowstride(shot);
    const guchar* data = gdk_pixbuf_read_pixels(shot);
    // On a scaled monitor the shot has its pixels: each of the area's reads
    // as the one at its middle.
    const int shownWidth = gdk_pixbuf_get_width(shot), shownHeight = gdk_pixbuf_get_height(shot);
    const auto middle = [](int at, int length, int shown) {
        return static_cast<int>((2 * at + 1) * std::int64_t{shown} / (2 * length));
    };
    for (int down = 0; down < height && shownHeight >= height && shownWidth >= width; ++down) {
        const int row = middle(down, height, shownHeight);
        for (int across = 0; across < width; ++across) {
            const guchar* p = data + row * stride + middle(across, width, shownWidth) * channels;
            pixels.push_back((std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2]);
        }
    }
    g_object_unref(shot);
    return pixels;
}

std::string TestShell::CallBrumelis(const std::string& method, const std::string& arguments) {
    GVariant* parameters =
        arguments.empty() ? nullptr
                          : g_variant_parse(nullptr, arguments.c_str(), nullptr, nullptr, nullptr);
    std::string error;
    Done(Ask("/example/zolvec/Brumelis", "example.zolvec.Brumelis1", method.c_str(), parameters,
             &error));
    return error;
}

}  // namespace brumelis::gnome_tests
