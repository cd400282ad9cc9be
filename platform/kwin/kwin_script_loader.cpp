#include "platform/kwin/kwin_script_loader.h"

#include <unistd.h>

#include "platform/kwin/kwin_dbus.h"
#include "platform/kwin/kwin_script.h"
#include "platform/kwin/kwin_script_file.h"

namespace brumelis {

KWinScriptLoader::KWinScriptLoader(SessionBus& bus, long pid, const std::string& directory,
                                   const std::string& token)
    : bus_(bus),
      pid_(pid),
      directory_(directory),
      token_(token),
      name_(KWinScriptName(pid)),
      file_(directory + "/" + name_ + ".js") {}

void KWinScriptLoader::UnloadDeadCopies(const std::vector<long>& pids) {
    for (long pid : pids) {
        bus_.Call(kKWinName, kScriptingPath, kScriptingInterface, "unloadScript",
                  g_variant_new("(s)", KWinScriptName(pid).c_str()), kBusDeadline);
        // Its file too: it is ours, and a later copy may be given its number.
        unlink((directory_ + "/" + KWinScriptName(pid) + ".js").c_str());
    }
}

bool KWinScriptLoader::Load() {
    ran_ = false;
    const std::string kwin = NameOwner(bus_, kKWinName);
    if (kwin.empty()) return false;
    kwin_ = kwin;
    if (!wroteFile_) {
        fileProblem_ =
            WriteScriptFile(file_, KWinScriptText({bus_.UniqueName(), token_, name_, pid_}));
        if (!fileProblem_.empty()) return false;
        wroteFile_ = true;
    }
    // loadScript has a one-argument form too: the signature picks (ss).
    BusReply loaded = bus_.Call(kKWinName, kScriptingPath, kScriptingInterface, "loadScript",
                                g_variant_new("(ss)", file_.c_str(), name_.c_str()), kBusDeadline);
    if (!loaded.ok() || !g_variant_is_of_type(loaded.body, G_VARIANT_TYPE("(i)"))) return false;
    gint32 number = -1;
    g_variant_get(loaded.body, "(i)", &number);
    if (number < 0) return false;
    // Plasma 6 names a script /Scripting/ScriptN, KWin 5 /N.
    for (const std::string& object :
         {"/Scripting/Script" + std::to_string(number), "/" + std::to_string(number)}) {
        ran_ =
            bus_.Call(kKWinName, object, "org.kde.kwin.Script", "run", nullptr, kBusDeadline).ok();
        if (ran_) break;
    }
    // Another script unloaded between our load and our run can take our
    // number's object away: Scripting.start runs ours then.
    if (!ran_) StartLoaded();
    return true;
}

void KWinScriptLoader::StartLoaded() {
    bus_.Call(kKWinName, kScriptingPath, kScriptingInterface, "start", nullptr, kBusDeadline);
}

bool KWinScriptLoader::IsLoaded(std::chrono::milliseconds deadline) {
    BusReply loaded = bus_.Call(kKWinName, kScriptingPath, kScriptingInterface, "isScriptLoaded",
                                g_variant_new("(s)", name_.c_str()), deadline);
    gboolean yes = FALSE;
    if (loaded.ok() && g_variant_is_of_type(loaded.body, G_VARIANT_TYPE("(b)"))) {
        g_variant_get(loaded.body, "(b)", &yes);
    }
    return yes;
}

void KWinScriptLoader::Unload() {
    bus_.Call(kKWinName, kScriptingPath, kScriptingInterface, "unloadScript",
              g_variant_new("(s)", name_.c_str()), kBusDeadline);
    // Only a file the program made: one found in its place is left as it is.
    if (wroteFile_) unlink(file_.c_str());
    wroteFile_ = false;
}

}  // namespace brumelis
