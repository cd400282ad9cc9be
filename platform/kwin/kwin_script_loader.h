// Puts the program's script into KWin and takes it out again: the file KWin
// reads it from, loadScript, run, Scripting.start, whether KWin still lists
// it, unloadScript. Each call waits at most its deadline; when to call them
// is the window system's choice (kwin_window_system.h).
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/dbus/session_bus.h"

namespace brumelis {

class KWinScriptLoader {
public:
    // `directory` is private to the user; `token` goes into the script.
    KWinScriptLoader(SessionBus& bus, long pid, const std::string& directory,
                     const std::string& token);

    // The scripts and files of copies that died without unloading theirs.
    void UnloadDeadCopies(const std::vector<long>& pids);
    // KWin's unique name asked again (a restarted KWin has a new one), the
    // file made unless already made, the script loaded and run; false when
    // a step failed (FileProblem says why when it was the file).
    bool Load();
    // Runs every script loaded and not yet running, ours among them.
    void StartLoaded();
    // Whether KWin still lists the script; no answer in time counts as no.
    bool IsLoaded(std::chrono::milliseconds deadline);
    // Takes the script out of KWin and removes the file, if the program
    // made it: the next Load makes both anew.
    void Unload();

    // KWin's unique name at the last load: the only caller obeyed.
    const std::string& KWin() const { return kwin_; }
    // Whether the last load's run reached the script's object.
    bool Ran() const { return ran_; }
    const std::string& FileProblem() const { return fileProblem_; }

private:
    SessionBus& bus_;
    long pid_;
    std::string directory_;
    std::string token_;
    std::string name_;
    std::string file_;
    std::string kwin_;
    std::string fileProblem_;
    bool wroteFile_ = false;
    bool ran_ = false;
};

}  // namespace brumelis
