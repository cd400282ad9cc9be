// The window system on KWin (Wayland), through a script of ours that runs
// inside KWin (brumelis_kwin.js): KWin offers other programs no window list,
// geometry, keep-above or opacity, only its scripts see windows.
//
// The script reports the active window (its id and frame, nothing more) and
// the windows that close, as calls to the program's unique bus name; every
// answer here comes from what it last reported, so no tick waits for KWin
// or sends anything. Changes go the other way as the answers to one
// standing call of the script's (NextCommand): a change asked while the
// call waits goes at once; opacities asked meanwhile for one window are
// merged into the latest, so a drag never queues up. The script obeys no
// one else and acts only on the active window. The toolbar's keys go the
// same way (kwin_key_source.h): shortcuts the script registers, whose
// presses it reports.
//
// The script may go while the program runs (unloaded by another program,
// KWin's scripting or KWin itself restarted). It is missed when it does not
// call again after an answer, or when KWin no longer lists it as a change
// is asked; then it is loaded again. Meanwhile, and when it cannot be
// loaded again, every change answers kNotNow and nothing is kept for later.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dbus/session_bus.h"
#include "platform/kwin/kwin_script_loader.h"
#include "platform/window_system.h"

namespace brumelis {

struct KWinStart {
    long pid = 0;
    // Where the script's file is written for KWin to read: a directory
    // private to the user (PrivateDirectory).
    std::string scriptDirectory;
    // The process ids of copies that died without unloading their script.
    std::vector<long> deadCopies;
    // Carried by every call of the script: a leftover script of another
    // run (KWin 5.27 reuses script numbers) is not taken for ours.
    std::string token;
    // How long the script may stay silent after an answer before KWin is
    // asked whether it still runs, and the pause between two loads once it
    // went (shorter in tests).
    std::chrono::milliseconds recallDeadline{2000};
    std::chrono::milliseconds reloadPause{2000};
};

class KWinWindowSystem final : public WindowSystem {
public:
    // Loads and runs the script, and waits (at most a second) for its first
    // report. Null when KWin refused or never ran it, or when the script's
    // file could not be made: then `fileProblem` says why.
    static std::unique_ptr<KWinWindowSystem> Load(std::unique_ptr<SessionBus> bus,
                                                  const KWinStart& start,
                                                  std::string* fileProblem = nullptr);
    ~KWinWindowSystem() override { Unload(); }
    // Unloads the script (once): at the end, which may come by _exit.
    void Unload();

    WindowHandle ForegroundWindow() override { return active_; }
    std::optional<ScreenRect> VisibleFrame(WindowHandle window) override;
    void WatchMoves(WindowHandle window, std::function<void()> moved) override;
    ChangeAnswer KeepAbove(WindowHandle window, bool above) override;
    ChangeAnswer SetOpacity(WindowHandle window, std::uint8_t opacity) override;
    void Activate(WindowHandle window) override;
    std::vector<ListedWindow> TopLevelWindows(WindowHandle window,
                                              std::size_t titleLength) override;

    // Has the script register a global shortcut (KWin's registerShortcut)
    // whose presses come back to OnShortcut as `number`; registered again
    // whenever the script is loaded again. False while the script is gone.
    bool AddShortcut(const std::string& name, const std::string& chord, const std::string& text,
                     std::int32_t number);
    SessionBus& Bus() { return *bus_; }
    void OnShortcut(std::function<void(std::int32_t number)> pressed) {
        shortcutPressed_ = std::move(pressed);
    }

    // Called once, when a script that went cannot be loaded again.
    void OnScriptLost(std::function<void()> tell) { tellLost_ = std::move(tell); }

private:
    struct Known {
        std::string id;  // KWin's internalId
        ScreenRect frame{};
    };
    struct Command {
        std::string kind;
        WindowHandle window;
        double value;
        std::string detail;  // a shortcut's name, chord and text, for "key"
    };

    enum class State { kStarting, kRunning, kLost, kGivenUp };

    KWinWindowSystem(std::unique_ptr<SessionBus> bus, const KWinStart& start);
    // The start: waits for the first report on a loop of its own.
    bool AwaitFirstReport();
    // The script has gone: nothing more is sent to it; it is loaded again.
    void Lose();
    void Reload();
    static gboolean OnReloadStep(gpointer self);
    // Whether a change may go now: asks KWin unless `mayTrust` and the
    // script was trusted within the recall deadline.
    bool ScriptRuns(bool mayTrust);
    void ExpectRecall();
    static gboolean OnNoRecall(gpointer self);
    void OnCall(const std::string& sender, const std::string& method, GVariant* parameters,
                BusAnswer answer);
    void TakeWindow(GVariant* parameters);
    void TakeClosed(const std::string& id);
    ChangeAnswer Queue(Command command);
    // Answers the script's standing call with the next command, if any.
    void Dispatch();
    static gboolean OnQuiet(gpointer self);
    Known* Find(WindowHandle window);

    std::unique_ptr<SessionBus> bus_;
    KWinScriptLoader loader_;
    std::string token_;
    std::chrono::milliseconds recallDeadline_;
    std::chrono::milliseconds reloadPause_;
    bool reported_ = false;
    bool unloaded_ = false;

    State state_ = State::kStarting;
    // Until when (monotonic) a change may go without asking KWin: the script
    // has just carried out a command, or KWin has just listed it.
    gint64 trusted_ = 0;
    gint64 lastOpacityAt_ = 0;  // the last fade asked, to tell a drag's moves
    bool commandAnswered_ = false;
    guint recallSource_ = 0;
    guint reloadSource_ = 0;
    int reloadStep_ = 0;
    int reloads_ = 0;
    std::function<void()> tellLost_;

    std::map<WindowHandle, Known> windows_;
    WindowHandle nextHandle_ = 1;
    WindowHandle active_ = 0;

    WindowHandle watched_ = 0;
    std::function<void()> moved_;

    std::vector<Command> shortcuts_;
    std::function<void(std::int32_t)> shortcutPressed_;

    std::deque<Command> commands_;
    BusAnswer waiting_;
    guint quietSource_ = 0;
};

}  // namespace brumelis
