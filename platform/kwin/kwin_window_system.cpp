#include "platform/kwin/kwin_window_system.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "base/utf8_text.h"
#include "platform/kwin/kwin_dbus.h"
#include "platform/kwin/kwin_script.h"

namespace brumelis {

namespace {

constexpr auto kStartDeadline = std::chrono::milliseconds(1000);
// KWin gives up on a call after 25 s, and a script whose call failed has
// no callback left to ask again: the standing call is answered before.
constexpr guint kQuietAnswerSeconds = 20;

const char kKWin[] = "org.kde.KWin";
const char kScripting[] = "org.kde.kwin.Scripting";

// Plasma 6 geometries may be fractional: the frame covers the pixels it
// touches. A number past 32 bits, or none (inf, nan), is taken as 0.
std::int32_t Whole(double value) {
    return std::fabs(value) < 2147483647.0 ? static_cast<std::int32_t>(value) : 0;
}
std::int32_t Number(const char* text) {
    return Whole(std::floor(std::strtod(text, nullptr)));
}
std::int32_t End(const char* start, const char* size) {
    return Whole(std::ceil(std::strtod(start, nullptr) + std::strtod(size, nullptr)));
}

bool SameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

std::unique_ptr<KWinWindowSystem> KWinWindowSystem::Load(std::unique_ptr<ScriptBus> bus,
                                                         const KWinStart& start) {
    BusReply owner =
        bus->Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                  "GetNameOwner", g_variant_new("(s)", kKWin), kStartDeadline);
    if (!owner.ok()) return nullptr;
    const gchar* kwin = nullptr;
    g_variant_get(owner.body, "(&s)", &kwin);
    std::unique_ptr<KWinWindowSystem> system(new KWinWindowSystem(std::move(bus), start));
    if (!system->Run(kwin, start.deadCopies)) return nullptr;
    return system;
}

KWinWindowSystem::KWinWindowSystem(std::unique_ptr<ScriptBus> bus, const KWinStart& start)
    : bus_(std::move(bus)), token_(start.token), pluginName_(KWinScriptName(start.pid)) {
    scriptFile_ = start.scriptDirectory + "/" + pluginName_ + ".js";
    const ScriptOwner owner{bus_->UniqueName(), token_, pluginName_, start.pid};
    std::ofstream(scriptFile_, std::ios::trunc) << KWinScriptText(owner);
    bus_->OnCall(
        [this](const std::string& sender, const std::string& method, GVariant* parameters,
               BusAnswer answer) { OnCall(sender, method, parameters, std::move(answer)); });
}

bool KWinWindowSystem::Run(const std::string& kwin, const std::vector<long>& deadCopies) {
    kwin_ = kwin;
    for (long pid : deadCopies) {
        bus_->Call(kKWin, "/Scripting", kScripting, "unloadScript",
                   g_variant_new("(s)", KWinScriptName(pid).c_str()), kStartDeadline);
    }
    // loadScript has a one-argument form too: the signature picks (ss).
    BusReply loaded =
        bus_->Call(kKWin, "/Scripting", kScripting, "loadScript",
                   g_variant_new("(ss)", scriptFile_.c_str(), pluginName_.c_str()), kStartDeadline);
    if (!loaded.ok() || !g_variant_is_of_type(loaded.body, G_VARIANT_TYPE("(i)"))) return false;
    gint32 number = -1;
    g_variant_get(loaded.body, "(i)", &number);
    if (number < 0) return false;
    // Plasma 6 names a script /Scripting/ScriptN, KWin 5 /N.
    for (const std::string& object :
         {"/Scripting/Script" + std::to_string(number), "/" + std::to_string(number)}) {
        if (bus_->Call(kKWin, object, "org.kde.kwin.Script", "run", nullptr, kStartDeadline).ok()) {
            scriptObject_ = object;
            break;
        }
    }
    // The script's first report says it runs; until then nothing is known.
    // KWin 5.27 gives an unloaded script's number to the next one, and its
    // old object may still answer for a moment: a run that reached it
    // started nothing, so Scripting.start (which runs every loaded script
    // not yet running) follows when the first half of the wait was silent.
    // Another script unloaded meanwhile can take our number's object away
    // before the run: then start goes at once.
    const guint wake = g_timeout_add(
        50, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
    const gint64 start = g_get_monotonic_time();
    const gint64 half = kStartDeadline.count() * 500;
    bool restarted = scriptObject_.empty();
    if (restarted) bus_->Call(kKWin, "/Scripting", kScripting, "start", nullptr, kStartDeadline);
    while (!reported_ && g_get_monotonic_time() < start + 2 * half) {
        if (!restarted && g_get_monotonic_time() > start + half) {
            restarted = true;
            bus_->Call(kKWin, "/Scripting", kScripting, "start", nullptr, kStartDeadline);
        }
        g_main_context_iteration(nullptr, TRUE);
    }
    g_source_remove(wake);
    return reported_;
}

void KWinWindowSystem::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    if (quietSource_ != 0) g_source_remove(quietSource_);
    if (waiting_) waiting_(g_variant_new("(ssd)", "quit", "", 0.0));
    waiting_ = nullptr;
    bus_->Call(kKWin, "/Scripting", kScripting, "unloadScript",
               g_variant_new("(s)", pluginName_.c_str()), kStartDeadline);
    unlink(scriptFile_.c_str());
}

void KWinWindowSystem::OnCall(const std::string& sender, const std::string& method,
                              GVariant* parameters, BusAnswer answer) {
    ++messages_;
    std::string token;
    if (sender == kwin_ && g_variant_n_children(parameters) > 0) {
        GVariant* first = g_variant_get_child_value(parameters, 0);
        if (g_variant_is_of_type(first, G_VARIANT_TYPE_STRING)) {
            token = g_variant_get_string(first, nullptr);
        }
        g_variant_unref(first);
    }
    if (token.empty() || token != token_) {
        // Anyone may call the program's name; only our script is heard.
        ++messages_;
        answer(nullptr);
        return;
    }
    reported_ = true;
    if (method == "Window" && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(sssssss)"))) {
        TakeWindow(parameters);
    } else if (method == "Closed" && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ss)"))) {
        const gchar* id = nullptr;
        g_variant_get(parameters, "(&s&s)", nullptr, &id);
        TakeClosed(id);
    } else if (method == "NextCommand") {
        waiting_ = std::move(answer);
        Dispatch();
        if (waiting_ && quietSource_ == 0) {
            quietSource_ = g_timeout_add_seconds(kQuietAnswerSeconds, &OnQuiet, this);
        }
        return;
    }
    ++messages_;
    answer(g_variant_new("()"));
}

void KWinWindowSystem::TakeWindow(GVariant* parameters) {
    const gchar *id, *x, *y, *width, *height, *caption;
    g_variant_get(parameters, "(&s&s&s&s&s&s&s)", nullptr, &id, &x, &y, &width, &height, &caption);
    if (*id == '\0') {
        active_ = 0;
        return;
    }
    WindowHandle handle = 0;
    for (auto& [known, window] : windows_) {
        if (window.id == id) handle = known;
    }
    if (handle == 0) handle = nextHandle_++;
    Known& window = windows_[handle];
    const ScreenRect before = window.frame;
    const bool seen = !window.id.empty();
    window.id = id;
    window.frame = ScreenRect{Number(x), Number(y), End(x, width), End(y, height)};
    window.title = TextFromUtf8(caption);
    active_ = handle;
    if (handle == watched_ && seen && !SameRect(before, window.frame) && moved_) moved_();
}

void KWinWindowSystem::TakeClosed(const std::string& id) {
    for (auto known = windows_.begin(); known != windows_.end(); ++known) {
        if (known->second.id != id) continue;
        if (active_ == known->first) active_ = 0;
        // Commands for it would reach nothing.
        for (auto command = commands_.begin(); command != commands_.end();) {
            command = command->window == known->first ? commands_.erase(command) : command + 1;
        }
        windows_.erase(known);
        return;
    }
}

KWinWindowSystem::Known* KWinWindowSystem::Find(WindowHandle window) {
    const auto known = windows_.find(window);
    return known != windows_.end() ? &known->second : nullptr;
}

std::optional<ScreenRect> KWinWindowSystem::VisibleFrame(WindowHandle window) {
    const Known* known = Find(window);
    if (known == nullptr) return std::nullopt;
    return known->frame;
}

void KWinWindowSystem::WatchMoves(WindowHandle window, std::function<void()> moved) {
    watched_ = window;
    moved_ = std::move(moved);
}

ChangeAnswer KWinWindowSystem::KeepAbove(WindowHandle window, bool above) {
    Queue({"above", window, above ? 1.0 : 0.0});
    return ChangeAnswer::kAccepted;
}

ChangeAnswer KWinWindowSystem::SetOpacity(WindowHandle window, std::uint8_t opacity) {
    Queue({"opacity", window, opacity / 255.0});
    return ChangeAnswer::kAccepted;
}

// A click on the toolbar may have given its surface the focus, which no
// report says (the script keeps quiet about the program's own surface).
void KWinWindowSystem::Activate(WindowHandle window) {
    Queue({"activate", window, 0.0});
}

void KWinWindowSystem::Queue(Command command) {
    if (Find(command.window) == nullptr) return;
    if (command.kind == "opacity") {
        for (Command& queued : commands_) {
            if (queued.kind == command.kind && queued.window == command.window) {
                queued.value = command.value;
                return;
            }
        }
    }
    commands_.push_back(std::move(command));
    Dispatch();
}

void KWinWindowSystem::Dispatch() {
    if (!waiting_ || commands_.empty()) return;
    const Command command = commands_.front();
    commands_.pop_front();
    BusAnswer answer = std::move(waiting_);
    waiting_ = nullptr;
    if (quietSource_ != 0) g_source_remove(quietSource_);
    quietSource_ = 0;
    ++messages_;
    answer(g_variant_new("(ssd)", command.kind.c_str(), Find(command.window)->id.c_str(),
                         command.value));
}

gboolean KWinWindowSystem::OnQuiet(gpointer data) {
    auto& system = *static_cast<KWinWindowSystem*>(data);
    system.quietSource_ = 0;
    if (system.waiting_) {
        BusAnswer answer = std::move(system.waiting_);
        system.waiting_ = nullptr;
        ++system.messages_;
        answer(g_variant_new("(ssd)", "", "", 0.0));
    }
    return G_SOURCE_REMOVE;
}

std::vector<ListedWindow> KWinWindowSystem::TopLevelWindows(WindowHandle, std::size_t titleLength) {
    std::vector<ListedWindow> listed;
    for (const auto& [handle, window] : windows_) {
        ListedWindow entry{handle, window.title};
        if (entry.title->size() > titleLength) entry.title->resize(titleLength);
        listed.push_back(std::move(entry));
    }
    return listed;
}

}  // namespace brumelis
