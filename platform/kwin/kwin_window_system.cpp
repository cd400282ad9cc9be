#include "platform/kwin/kwin_window_system.h"

#include <cmath>
#include <cstdlib>

#include "platform/kwin/kwin_dbus.h"

namespace brumelis {

namespace {

constexpr auto kStartDeadline = std::chrono::milliseconds(1000);
// KWin gives up on a call after 25 s, and a script whose call failed has
// no callback left to ask again: the standing call is answered before. Its
// call that follows at once also says the script still runs.
constexpr guint kQuietAnswerSeconds = 10;
// A script not heard from within the recall deadline is not trusted to run:
// KWin is asked, briefly (it answers in about a millisecond), before a
// change is promised.
constexpr auto kCheckDeadline = std::chrono::milliseconds(500);
// Longer than the pause between two moves of one drag (microseconds).
constexpr gint64 kDragPause = 250 * 1000;
// A KWin whose scripting restarts may refuse a load for a moment.
constexpr int kReloadTries = 5;

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

}  // namespace

std::unique_ptr<KWinWindowSystem> KWinWindowSystem::Load(std::unique_ptr<SessionBus> bus,
                                                         const KWinStart& start,
                                                         std::string* fileProblem) {
    std::unique_ptr<KWinWindowSystem> system(new KWinWindowSystem(std::move(bus), start));
    system->loader_.UnloadDeadCopies(start.deadCopies);
    const bool runs = system->loader_.Load() && system->AwaitFirstReport();
    if (fileProblem != nullptr) *fileProblem = system->loader_.FileProblem();
    if (!runs) return nullptr;
    system->state_ = State::kRunning;
    return system;
}

KWinWindowSystem::KWinWindowSystem(std::unique_ptr<SessionBus> bus, const KWinStart& start)
    : bus_(std::move(bus)),
      loader_(*bus_, start.pid, start.scriptDirectory, start.token),
      token_(start.token),
      recallDeadline_(start.recallDeadline),
      reloadPause_(start.reloadPause) {
    ServeScriptCalls(
        *bus_, [this](const std::string& sender, const std::string& method, GVariant* parameters,
                      BusAnswer answer) { OnCall(sender, method, parameters, std::move(answer)); });
}

// The script's first report says it runs; until then nothing is known.
// KWin 5.27 gives an unloaded script's number to the next one, and its old
// object may still answer for a moment: a run that reached it started
// nothing, so Scripting.start follows when the first half of the wait was
// silent.
bool KWinWindowSystem::AwaitFirstReport() {
    const guint wake = g_timeout_add(
        50, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
    const gint64 start = g_get_monotonic_time();
    const gint64 half = kStartDeadline.count() * 500;
    bool restarted = !loader_.Ran();
    while (!reported_ && g_get_monotonic_time() < start + 2 * half) {
        if (!restarted && g_get_monotonic_time() > start + half) {
            restarted = true;
            loader_.StartLoaded();
        }
        g_main_context_iteration(nullptr, TRUE);
    }
    g_source_remove(wake);
    return reported_;
}

bool KWinWindowSystem::ScriptRuns(bool mayTrust) {
    if (state_ != State::kRunning) return false;
    if (mayTrust && g_get_monotonic_time() - trusted_ < recallDeadline_.count() * 1000) return true;
    if (!loader_.IsLoaded(kCheckDeadline)) {
        Lose();
        return false;
    }
    trusted_ = g_get_monotonic_time();
    return true;
}

// A running script calls again at once after each answer.
void KWinWindowSystem::ExpectRecall() {
    if (recallSource_ == 0)
        recallSource_ =
            g_timeout_add(static_cast<guint>(recallDeadline_.count()), &OnNoRecall, this);
}

gboolean KWinWindowSystem::OnNoRecall(gpointer data) {
    auto& system = *static_cast<KWinWindowSystem*>(data);
    system.recallSource_ = 0;
    system.ScriptRuns(false);
    return G_SOURCE_REMOVE;
}

// Nothing asked before is kept to be done on whatever window is active once
// the script is back.
void KWinWindowSystem::Lose() {
    if (state_ != State::kRunning) return;
    state_ = State::kLost;
    commands_.clear();
    if (quietSource_ != 0) g_source_remove(quietSource_);
    if (recallSource_ != 0) g_source_remove(recallSource_);
    quietSource_ = recallSource_ = 0;
    // The call of a script that went is answered all the same: GDBus holds it.
    if (waiting_) waiting_(g_variant_new("(ssd)", "", "", 0.0));
    waiting_ = nullptr;
    reloads_ = 0;
    reloadStep_ = 0;
    reloadSource_ = g_timeout_add(0, &OnReloadStep, this);
}

// One try: the load, then up to a second for the first report, Scripting.start
// at half of it; kReloadTries tries a pause apart, then the user is told.
gboolean KWinWindowSystem::OnReloadStep(gpointer data) {
    auto& system = *static_cast<KWinWindowSystem*>(data);
    system.reloadSource_ = 0;
    if (system.state_ != State::kLost) return G_SOURCE_REMOVE;
    system.Reload();
    return G_SOURCE_REMOVE;
}

void KWinWindowSystem::Reload() {
    const int step = reloadStep_++;
    bool failed = false;
    if (step == 0) {
        // KWin loads no second script under one name: a remnant of ours goes.
        loader_.Unload();
        reported_ = false;
        failed = !loader_.Load();
    } else if (step == 1) {
        loader_.StartLoaded();
    } else {
        failed = true;
    }
    if (!failed) {
        reloadSource_ =
            g_timeout_add(static_cast<guint>(kStartDeadline.count() / 2), &OnReloadStep, this);
        return;
    }
    reloadStep_ = 0;
    if (++reloads_ < kReloadTries) {
        reloadSource_ =
            g_timeout_add(static_cast<guint>(reloadPause_.count()), &OnReloadStep, this);
        return;
    }
    state_ = State::kGivenUp;
    if (tellLost_) tellLost_();
}

void KWinWindowSystem::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    for (guint* source : {&quietSource_, &recallSource_, &reloadSource_}) {
        if (*source != 0) g_source_remove(*source);
        *source = 0;
    }
    if (waiting_) waiting_(g_variant_new("(ssd)", "quit", "", 0.0));
    waiting_ = nullptr;
    loader_.Unload();
}

void KWinWindowSystem::OnCall(const std::string& sender, const std::string& method,
                              GVariant* parameters, BusAnswer answer) {
    std::string token;
    if (sender == loader_.KWin() && g_variant_n_children(parameters) > 0) {
        GVariant* first = g_variant_get_child_value(parameters, 0);
        if (g_variant_is_of_type(first, G_VARIANT_TYPE_STRING)) {
            token = g_variant_get_string(first, nullptr);
        }
        g_variant_unref(first);
    }
    if (token.empty() || token != token_) {
        // Anyone may call the program's name; only our script is heard.
        answer(nullptr);
        return;
    }
    reported_ = true;
    if (state_ == State::kLost) {
        // Back: the reload's remaining steps have nothing left to do. A new
        // script has no shortcuts yet.
        state_ = State::kRunning;
        if (reloadSource_ != 0) g_source_remove(reloadSource_);
        reloadSource_ = 0;
        commands_.insert(commands_.begin(), shortcuts_.begin(), shortcuts_.end());
    }
    if (method == "Window" && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ssssss)"))) {
        TakeWindow(parameters);
    } else if (method == "Closed" && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ss)"))) {
        const gchar* id = nullptr;
        g_variant_get(parameters, "(&s&s)", nullptr, &id);
        TakeClosed(id);
    } else if (method == "Key" && g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ss)"))) {
        const gchar* number = nullptr;
        g_variant_get(parameters, "(&s&s)", nullptr, &number);
        // Answered first: the press runs the toolbar's handler, which may
        // itself ask KWin.
        answer(g_variant_new("()"));
        if (shortcutPressed_)
            shortcutPressed_(static_cast<std::int32_t>(std::strtol(number, nullptr, 10)));
        return;
    } else if (method == "NextCommand") {
        // Called again after a command: it ran it, and a drag's next moves
        // need not ask KWin.
        if (recallSource_ != 0 && commandAnswered_) trusted_ = g_get_monotonic_time();
        commandAnswered_ = false;
        if (recallSource_ != 0) g_source_remove(recallSource_);
        recallSource_ = 0;
        if (waiting_) waiting_(g_variant_new("(ssd)", "", "", 0.0));
        waiting_ = std::move(answer);
        Dispatch();
        if (waiting_ && quietSource_ == 0) {
            quietSource_ = g_timeout_add_seconds(kQuietAnswerSeconds, &OnQuiet, this);
        }
        return;
    }
    answer(g_variant_new("()"));
}

void KWinWindowSystem::TakeWindow(GVariant* parameters) {
    const gchar *id, *x, *y, *width, *height;
    g_variant_get(parameters, "(&s&s&s&s&s&s)", nullptr, &id, &x, &y, &width, &height);
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
    active_ = handle;
    if (handle == watched_ && seen && before != window.frame && moved_) moved_();
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
    return Queue({"above", window, above ? 1.0 : 0.0, {}});
}

ChangeAnswer KWinWindowSystem::SetOpacity(WindowHandle window, std::uint8_t opacity) {
    return Queue({"opacity", window, opacity / 255.0, {}});
}

// A click on the toolbar may have given its surface the focus, which no
// report says (the script keeps quiet about the program's own surface).
void KWinWindowSystem::Activate(WindowHandle window) {
    Queue({"activate", window, 0.0, {}});
}

ChangeAnswer KWinWindowSystem::Queue(Command command) {
    if (Find(command.window) == nullptr) return ChangeAnswer::kAccepted;
    // A pin shows on the button and a fade starts with a press: KWin is
    // asked then, so that a script gone since the last answer is not
    // trusted. A drag's next moves follow each other too fast for that.
    const gint64 now = g_get_monotonic_time();
    const bool sameDrag = command.kind == "opacity" && now - lastOpacityAt_ < kDragPause;
    if (command.kind == "opacity") lastOpacityAt_ = now;
    if (!ScriptRuns(command.kind == "activate" || sameDrag)) return ChangeAnswer::kNotNow;
    if (command.kind == "opacity") {
        for (Command& queued : commands_) {
            if (queued.kind == command.kind && queued.window == command.window) {
                queued.value = command.value;
                return ChangeAnswer::kAccepted;
            }
        }
    }
    commands_.push_back(std::move(command));
    Dispatch();
    return ChangeAnswer::kAccepted;
}

bool KWinWindowSystem::AddShortcut(const std::string& name, const std::string& chord,
                                   const std::string& text, std::int32_t number) {
    if (state_ != State::kRunning) return false;
    const Command command{"key", 0, static_cast<double>(number), name + "\n" + chord + "\n" + text};
    shortcuts_.push_back(command);
    commands_.push_back(command);
    Dispatch();
    return true;
}

void KWinWindowSystem::Dispatch() {
    if (!waiting_ || commands_.empty()) return;
    const Command command = commands_.front();
    commands_.pop_front();
    BusAnswer answer = std::move(waiting_);
    waiting_ = nullptr;
    if (quietSource_ != 0) g_source_remove(quietSource_);
    quietSource_ = 0;
    // A shortcut names no window: its detail goes in the window's place.
    const std::string& id = command.kind == "key" ? command.detail : Find(command.window)->id;
    answer(g_variant_new("(ssd)", command.kind.c_str(), id.c_str(), command.value));
    commandAnswered_ = true;
    ExpectRecall();
}

gboolean KWinWindowSystem::OnQuiet(gpointer data) {
    auto& system = *static_cast<KWinWindowSystem*>(data);
    system.quietSource_ = 0;
    if (system.waiting_) {
        BusAnswer answer = std::move(system.waiting_);
        system.waiting_ = nullptr;
        answer(g_variant_new("(ssd)", "", "", 0.0));
        system.ExpectRecall();
    }
    return G_SOURCE_REMOVE;
}

// The script sends no window's title: the instance rule counts the toolbars
// the copies announce (WithAnnouncedToolbars), and nothing else is listed.
std::vector<ListedWindow> KWinWindowSystem::TopLevelWindows(WindowHandle, std::size_t) {
    return {};
}

}  // namespace brumelis
