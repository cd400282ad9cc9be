#include "program/autostart_entry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/whole_write.h"

namespace brumelis {

namespace {

// What the Exec key's own quoting must escape inside double quotes, and
// what makes quotes needed at all.
constexpr const char* kEscapedInQuotes = "\"`$\\";
constexpr const char* kReserved = " \t\n\"'\\><~|&;$*?#()`";

// The key file's escapes, applied to every string value: a backslash
// doubled; in Exec, a percent sign doubled too (it starts a field code).
std::string KeyFileValue(const std::string& text, bool exec) {
    std::string value;
    for (char c : text) {
        if (c == '\\') value += '\\';
        if (c == '%' && exec) value += '%';
        value += c;
    }
    return value;
}

std::string ExecValue(const std::string& program) {
    if (program.find_first_of(kReserved) == std::string::npos) return KeyFileValue(program, true);
    std::string quoted = "\"";
    for (char c : program) {
        if (std::strchr(kEscapedInQuotes, c) != nullptr) quoted += '\\';
        quoted += c;
    }
    return KeyFileValue(quoted + "\"", true);
}

AutostartOutcome Failure(const std::string& what, const std::string& path, int error) {
    return {false,
            "brumelis: impossible " + what + " « " + path + " » : " + std::strerror(error) + "\n"};
}

// Each missing folder made 0700, as the XDG base directories want.
bool MakeFolders(const std::string& directory, std::string& failed) {
    for (std::size_t slash = 1; slash != std::string::npos;) {
        slash = directory.find('/', slash + 1);
        const std::string part = directory.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            failed = part;
            return false;
        }
    }
    return true;
}

}  // namespace

std::string AutostartPath(const std::string& configHome, const std::string& home) {
    std::string base = configHome;
    if (base.empty() || base.front() != '/') {
        if (home.empty() || home.front() != '/') return std::string();
        base = home + "/.config";
    }
    return base + "/autostart/brumelis.desktop";
}

std::string AutostartEntry(const std::string& program) {
    for (char c : program) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::string();
    }
    // TryExec: once the program is uninstalled, the session skips the entry.
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Brumelis\n"
           "Comment=Garde la fenêtre active au premier plan et règle sa transparence\n"
           "Exec=" +
           ExecValue(program) + "\nTryExec=" + KeyFileValue(program, false) +
           "\n"
           "Icon=brumelis\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

AutostartOutcome TurnAutostartOn(const std::string& path, const std::string& program) {
    const std::string entry = AutostartEntry(program);
    if (entry.empty()) {
        return {false, "brumelis: le chemin du programme « " + program +
                           " » ne peut pas figurer dans une entrée de démarrage.\n"};
    }
    const std::string directory = path.substr(0, path.rfind('/'));
    std::string failed;
    if (!MakeFolders(directory, failed)) return Failure("de créer le dossier", failed, errno);
    std::string draft = directory + "/.brumelis.desktop.XXXXXX";
    const int descriptor = mkostemp(&draft[0], O_CLOEXEC);
    if (descriptor < 0) return Failure("d'écrire dans le dossier", directory, errno);
    bool written =
        fchmod(descriptor, 0644) == 0 && WriteWhole(descriptor, entry) && fsync(descriptor) == 0;
    int error = errno;
    if (close(descriptor) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && rename(draft.c_str(), path.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        unlink(draft.c_str());
        return Failure("d'écrire", path, error);
    }
    return {true, "Brumelis démarrera à chaque ouverture de session (entrée « " + path + " »).\n"};
}

AutostartOutcome TurnAutostartOff(const std::string& path) {
    if (unlink(path.c_str()) == 0) {
        return {true, "Brumelis ne démarrera plus à l'ouverture de session (entrée « " + path +
                          " » retirée).\n"};
    }
    if (errno == ENOENT) {
        return {true, "Brumelis ne démarrait pas à l'ouverture de session : rien à retirer.\n"};
    }
    return Failure("de retirer", path, errno);
}

}  // namespace brumelis
