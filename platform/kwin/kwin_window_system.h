// The window system on KWin (Wayland), through a script of ours that runs
// inside KWin (brumelis_kwin.js): KWin offers other programs no window list,
// geometry, keep-above or opacity, only its scripts see windows.
//
// The script reports the active window (its frame, its caption) and the
// windows that close, as calls to the program's unique bus name; every
// answer here comes from what it last reported, so no tick waits for KWin
// or sends anything. Changes go the other way as the answers to one
// standing call of the script's (NextCommand): a change asked while the
// call waits goes at once; opacities asked meanwhile for one window are
// merged into the latest, so a drag never queues up. The script obeys no
// one else and acts only on the active window.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/kwin/kwin_bus.h"
#include "platform/window_system.h"

namespace brumelis {

struct KWinStart {
    long pid = 0;
    // Where the script's file is written for KWin to read (private to the
    // user: the runtime directory).
    std::string scriptDirectory;
    // The process ids of copies that died without unloading their script.
    std::vector<long> deadCopies;
    // Carried by every call of the script: a leftover script of another
    // run (KWin 5.27 reuses script numbers) is not taken for ours.
    std::string token;
};

class KWinWindowSystem final : public WindowSystem {
public:
    // Loads and runs the script, and waits (at most a second) for its first
    // report. Null when KWin refused or never ran it.
    static std::unique_ptr<KWinWindowSystem> Load(std::unique_ptr<ScriptBus> bus,
                                                  const KWinStart& start);
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

    // The object the script ran as: "/N" on KWin 5, "/Scripting/ScriptN" on 6.
    const std::string& ScriptObject() const { return scriptObject_; }
    // D-Bus messages the program has sent or answered since the start.
    std::size_t Messages() const { return messages_; }

private:
    struct Known {
        std::string id;  // KWin's internalId
        ScreenRect frame{};
        Text title;
    };
    struct Command {
        std::string kind;
        WindowHandle window;
        double value;
    };

    KWinWindowSystem(std::unique_ptr<ScriptBus> bus, const KWinStart& start);
    bool Run(const std::string& kwin, const std::vector<long>& deadCopies);
    void OnCall(const std::string& sender, const std::string& method, GVariant* parameters,
                BusAnswer answer);
    void TakeWindow(GVariant* parameters);
    void TakeClosed(const std::string& id);
    void Queue(Command command);
    // Answers the script's standing call with the next command, if any.
    void Dispatch();
    static gboolean OnQuiet(gpointer self);
    Known* Find(WindowHandle window);

    std::unique_ptr<ScriptBus> bus_;
    std::string kwin_;  // KWin's unique name: the only caller obeyed
    std::string token_;
    std::string pluginName_;
    std::string scriptFile_;
    std::string scriptObject_;
    bool reported_ = false;
    bool unloaded_ = false;

    std::map<WindowHandle, Known> windows_;
    WindowHandle nextHandle_ = 1;
    WindowHandle active_ = 0;

    WindowHandle watched_ = 0;
    std::function<void()> moved_;

    std::deque<Command> commands_;
    BusAnswer waiting_;
    guint quietSource_ = 0;
    std::size_t messages_ = 0;
};

}  // namespace brumelis
