#include "tests/kwin/kwin_session.h"

#include <gio/gio.h>
#include <linux/input-event-codes.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/support/wait.h"

namespace brumelis::kwin_tests {

namespace {

const char kSeeScript[] = R"js(
var six = workspace.activeWindow !== undefined;
var all = six ? workspace.windowList() : workspace.clientList();
var active = six ? workspace.activeWindow : workspace.activeClient;
var lines = [];
for (var i = 0; i < all.length; ++i) {
    var w = all[i], g = w.frameGeometry;
    lines.push([g.x, g.y, g.width, g.height, w.keepAbove ? 1 : 0, w.opacity, w === active ? 1 : 0,
                w.pid, w.wantsInput ? 1 : 0, w.stackingOrder, w.bufferGeometry.x,
                w.bufferGeometry.y, String(w.caption)].join("\t"));
}
callDBus("OWNER", "/example/zolvec/BrumelisTest", "example.zolvec.BrumelisTest1", "Seen", lines.join("\n"));
)js";

const char kTestInterface[] =
    "<node><interface name='example.zolvec.BrumelisTest1'><method name='Seen'>"
    "<arg type='s' direction='in'/></method></interface></node>";

struct Bus {
    GDBusConnection* connection = nullptr;
    std::optional<std::string> seen;
    int scripts = 0;
};

void OnSeen(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
            GVariant* parameters, GDBusMethodInvocation* invocation, gpointer data) {
    const gchar* text = nullptr;
    g_variant_get(parameters, "(&s)", &text);
    static_cast<Bus*>(data)->seen = text;
    g_dbus_method_invocation_return_value(invocation, nullptr);
}

Bus& TheBus() {
    static Bus bus;
    if (bus.connection != nullptr) return bus;
    bus.connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kTestInterface, nullptr);
    static const GDBusInterfaceVTable table{&OnSeen, nullptr, nullptr, {}};
    g_dbus_connection_register_object(bus.connection, "/example/zolvec/BrumelisTest",
                                      node->interfaces[0], &table, &bus, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    return bus;
}

GVariant* CallKWin(const char* path, const char* interface, const char* method,
                   GVariant* arguments) {
    return g_dbus_connection_call_sync(TheBus().connection, "org.kde.KWin", path, interface, method,
                                       arguments, nullptr, G_DBUS_CALL_FLAGS_NONE, 2000, nullptr,
                                       nullptr);
}

// Runs every script loaded and not yet running, ours among them: no script
// number to trust (KWin 5.27 gives an unloaded script's number to the next).
bool StartLoaded() {
    GVariant* done = CallKWin("/Scripting", "org.kde.kwin.Scripting", "start", nullptr);
    if (done != nullptr) g_variant_unref(done);
    return done != nullptr;
}

// A (b) answer of KWin's scripting to `method` of one script name.
bool AskScripting(const char* method, const std::string& name) {
    GVariant* loaded = CallKWin("/Scripting", "org.kde.kwin.Scripting", method,
                                g_variant_new("(s)", name.c_str()));
    gboolean answer = FALSE;
    if (loaded != nullptr) {
        g_variant_get(loaded, "(b)", &answer);
        g_variant_unref(loaded);
    }
    return answer;
}

}  // namespace

void Pause() {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(20);
    while (std::chrono::steady_clock::now() < end) {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::optional<std::string> RunScript(const std::string& body, std::chrono::milliseconds wait,
                                     const std::function<void()>& during) {
    Bus& bus = TheBus();
    const std::string name = "brumelis-test-" + std::to_string(++bus.scripts);
    const std::string file = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + name + ".js";
    std::string text = body;
    for (auto at = text.find("OWNER"); at != std::string::npos; at = text.find("OWNER")) {
        text.replace(at, 5, g_dbus_connection_get_unique_name(bus.connection));
    }
    std::ofstream(file) << text;
    bus.seen.reset();
    GVariant* loaded = CallKWin("/Scripting", "org.kde.kwin.Scripting", "loadScript",
                                g_variant_new("(ss)", file.c_str(), name.c_str()));
    gint32 number = -1;
    if (loaded != nullptr) {
        g_variant_get(loaded, "(i)", &number);
        g_variant_unref(loaded);
    }
    if (number >= 0 && StartLoaded()) {
        if (during) during();
        const auto end = std::chrono::steady_clock::now() + wait;
        while (!bus.seen && std::chrono::steady_clock::now() < end) Pause();
    }
    if (GVariant* unloaded = CallKWin("/Scripting", "org.kde.kwin.Scripting", "unloadScript",
                                      g_variant_new("(s)", name.c_str()))) {
        g_variant_unref(unloaded);
    }
    std::remove(file.c_str());
    return bus.seen;
}

std::vector<SeenWindow> Windows() {
    // KWin reads a script's file on a thread of its own: on a loaded
    // machine that takes a while.
    const auto seen = RunScript(kSeeScript, std::chrono::seconds(5), nullptr);
    std::vector<SeenWindow> windows;
    if (!seen) return windows;
    std::istringstream lines(*seen);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        SeenWindow window;
        double x, y, width, height;
        int above, active, normal;
        double surfaceX, surfaceY;
        fields >> x >> y >> width >> height >> above >> window.opacity >> active >> window.pid >>
            normal >> window.stacking >> surfaceX >> surfaceY;
        window.surfaceX = static_cast<int>(surfaceX);
        window.surfaceY = static_cast<int>(surfaceY);
        fields.get();
        std::getline(fields, window.caption);
        window.x = static_cast<int>(x);
        window.y = static_cast<int>(y);
        window.width = static_cast<int>(width);
        window.height = static_cast<int>(height);
        window.keepAbove = above != 0;
        window.active = active != 0;
        window.normal = normal != 0;
        windows.push_back(window);
    }
    return windows;
}

bool ActOnWindow(long pid, const std::string& statement) {
    const std::string body =
        "var six = workspace.activeWindow !== undefined;\n"
        "var all = six ? workspace.windowList() : workspace.clientList();\n"
        "for (var i = 0; i < all.length; ++i) {\n"
        "    var w = all[i];\n"
        "    if (w.pid == " +
        std::to_string(pid) + " && w.wantsInput) { " + statement +
        "; break; }\n}\n"
        "callDBus(\"OWNER\", \"/example/zolvec/BrumelisTest\", \"example.zolvec.BrumelisTest1\", "
        "\"Seen\", \"done\");\n";
    return RunScript(body, std::chrono::seconds(5), nullptr) == std::optional<std::string>("done");
}

bool UnloadScript(const std::string& name) {
    return AskScripting("unloadScript", name);
}

bool IsScriptLoaded(const std::string& name) {
    return AskScripting("isScriptLoaded", name);
}

std::optional<SeenWindow> WindowTitled(const std::string& caption) {
    for (const SeenWindow& window : Windows()) {
        if (window.caption == caption) return window;
    }
    return std::nullopt;
}

std::optional<SeenWindow> SurfaceOf(long pid) {
    for (const SeenWindow& window : Windows()) {
        if (window.pid == pid && !window.normal) return window;
    }
    return std::nullopt;
}

std::string CallAsStranger(long pid, const std::string& method, const std::string& arguments) {
    GDBusConnection* connection = TheBus().connection;
    GVariant* names = g_dbus_connection_call_sync(connection, "org.freedesktop.DBus",
                                                  "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                                  "ListNames", nullptr, G_VARIANT_TYPE("(as)"),
                                                  G_DBUS_CALL_FLAGS_NONE, 1000, nullptr, nullptr);
    if (names == nullptr) return "no names";
    std::string target;
    GVariantIter* iter = nullptr;
    const gchar* name = nullptr;
    g_variant_get(names, "(as)", &iter);
    while (g_variant_iter_loop(iter, "&s", &name)) {
        if (name[0] != ':') continue;
        GVariant* owner = g_dbus_connection_call_sync(
            connection, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "GetConnectionUnixProcessID", g_variant_new("(s)", name), G_VARIANT_TYPE("(u)"),
            G_DBUS_CALL_FLAGS_NONE, 1000, nullptr, nullptr);
        guint32 owned = 0;
        if (owner != nullptr) {
            g_variant_get(owner, "(u)", &owned);
            g_variant_unref(owner);
        }
        if (static_cast<long>(owned) == pid) target = name;
    }
    g_variant_iter_free(iter);
    g_variant_unref(names);
    if (target.empty()) return "no such program";
    GError* error = nullptr;
    GVariant* reply = g_dbus_connection_call_sync(
        connection, target.c_str(), "/example/zolvec/BrumelisKWin", "example.zolvec.BrumelisKWin1",
        method.c_str(), g_variant_parse(nullptr, arguments.c_str(), nullptr, nullptr, nullptr),
        nullptr, G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, &error);
    if (reply != nullptr) {
        g_variant_unref(reply);
        return "";
    }
    gchar* remote = g_dbus_error_get_remote_error(error);
    std::string failure = remote != nullptr ? remote : error->message;
    g_free(remote);
    g_error_free(error);
    return failure;
}

FakePointer* FakePointer::Shared() {
    static FakePointer* shared = []() -> FakePointer* {
        // KWin grants the protocol to the program a desktop file names.
        const std::string applications =
            std::string(std::getenv("XDG_DATA_HOME")) + "/applications";
        g_mkdir_with_parents(applications.c_str(), 0700);
        const std::string file = applications + "/brumelis-fake-input.desktop";
        std::unique_ptr<LineProcess> process;
        // KWin 6 may have cached the desktop files while this one was being
        // written, and then finds its cache newer than the folder: written
        // anew (the folder's time with it) until KWin grants it.
        const bool granted = test_support::WaitUntil(
            [&] {
                std::remove(file.c_str());
                std::ofstream(file)
                    << "[Desktop Entry]\nType=Application\nName=brumelis fake input\nExec="
                    << BRUMELIS_FAKE_INPUT << "\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n"
                    << "NoDisplay=true\n";
                process = LineProcess::Start({BRUMELIS_FAKE_INPUT});
                return process && process->WaitForLine("ready");
            },
            std::chrono::seconds(15),
            [] { std::this_thread::sleep_for(std::chrono::milliseconds(500)); });
        return granted ? new FakePointer(std::move(process)) : nullptr;
    }();
    return shared;
}

bool FakePointer::Ask(const std::string& line) {
    std::string answer;
    return process_->Send(line) && process_->ReadLine(answer) && answer == "ok";
}

bool FakePointer::MoveTo(int x, int y) {
    return Ask("move " + std::to_string(x) + " " + std::to_string(y));
}
bool FakePointer::Press(int button) {
    return Ask("press " + std::to_string(button));
}
bool FakePointer::Release(int button) {
    return Ask("release " + std::to_string(button));
}

// A move and a click sent together on a fresh connection were once lost:
// the button goes a little after the move.
bool FakePointer::Click(int x, int y, int button) {
    if (!MoveTo(x, y)) return false;
    Pause();
    return Press(button) && Release(button);
}

namespace {

// A chord named as the scenarios name it: its evdev codes, Qt's key code.
bool KeysOf(const std::string& chord, std::vector<int>& codes, std::int32_t& qt) {
    static const std::map<std::string, std::pair<int, std::int32_t>> kKeys = {
        {"Super", {KEY_LEFTMETA, 0x10000000}},  {"Ctrl", {KEY_LEFTCTRL, 0x04000000}},
        {"Shift", {KEY_LEFTSHIFT, 0x02000000}}, {"Alt", {KEY_LEFTALT, 0x08000000}},
        {"PageUp", {KEY_PAGEUP, 0x01000016}},   {"PageDown", {KEY_PAGEDOWN, 0x01000017}},
        {"Home", {KEY_HOME, 0x01000010}},       {"A", {KEY_A, 'A'}}};
    std::istringstream names(chord);
    for (std::string name; std::getline(names, name, '+');) {
        const auto key = kKeys.find(name);
        if (key == kKeys.end()) return false;
        codes.push_back(key->second.first);
        qt |= key->second.second;
    }
    return true;
}

// kglobalaccel's answer as text; "" when the call failed.
std::string CallAccel(const char* method, GVariant* arguments) {
    g_autoptr(GVariant) reply = g_dbus_connection_call_sync(
        TheBus().connection, "org.kde.kglobalaccel", "/kglobalaccel", "org.kde.KGlobalAccel",
        method, arguments, nullptr, G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
    g_autofree gchar* text = reply != nullptr ? g_variant_print(reply, FALSE) : g_strdup("");
    return text;
}

std::string held;  // the action holding a chord, one at a time

}  // namespace

bool HoldChord(const std::string& chord) {
    std::vector<int> codes;
    std::int32_t qt = 0;
    if (!KeysOf(chord, codes, qt)) return false;
    // The copies the scenarios kill leave their shortcuts, which KWin keeps.
    for (const char* ours : {"brumelis-1", "brumelis-2", "brumelis-3", "brumelis-4"})
        CallAccel("unregister", g_variant_new("(ss)", "kwin", ours));
    held = "held-" + std::to_string(qt);
    const char* id[] = {"brumelis-tests", held.c_str(), "Brumelis tests", "held", nullptr};
    // As a program sets its shortcut (SetPresent | NoAutoloading), in Qt's
    // key code: KWin 5.27 aborts on a key sequence sent in.
    return !CallAccel("doRegister", g_variant_new("(^as)", id)).empty() &&
           CallAccel("setShortcut", g_variant_new_parsed("(%^as, [%i], uint32 6)", id, qt)) ==
               "([" + std::to_string(qt) + "],)";
}

void ForgetHeldChords() {
    if (!held.empty())
        CallAccel("unregister", g_variant_new("(ss)", "brumelis-tests", held.c_str()));
    held.clear();
}

bool FakePointer::PressKeys(const std::string& chord) {
    std::vector<int> codes;
    std::int32_t qt = 0;
    if (!KeysOf(chord, codes, qt)) return false;
    std::string line = "keys";
    for (const int code : codes) line += " " + std::to_string(code);
    return Ask(line);
}

}  // namespace brumelis::kwin_tests
