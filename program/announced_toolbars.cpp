#include "program/announced_toolbars.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "base/utf8_text.h"

namespace brumelis {

AnnouncedToolbar::AnnouncedToolbar(const std::string& directory, const Text& caption, int windows) {
    if (directory.empty()) return;
    mkdir(directory.c_str(), 0700);
    const std::string name = std::to_string(getpid());
    // Made whole and locked under a name readers skip, then renamed into
    // place: a copy reading the directory never meets an announcement not
    // locked yet, which it would take for a dead copy's and remove.
    const std::string draft = directory + "/." + name;
    const int descriptor =
        open(draft.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) return;
    std::string lines;
    for (int window = 0; window < windows; ++window) lines += Utf8FromText(caption) + "\n";
    const std::string path = directory + "/" + name;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0 ||
        write(descriptor, lines.data(), lines.size()) != static_cast<ssize_t>(lines.size()) ||
        rename(draft.c_str(), path.c_str()) != 0) {
        unlink(draft.c_str());
        close(descriptor);
        return;
    }
    path_ = path;
    descriptor_ = descriptor;
}

AnnouncedToolbar::~AnnouncedToolbar() {
    if (descriptor_ < 0) return;
    unlink(path_.c_str());
    close(descriptor_);
}

namespace {

// Whether `path` still names the file open as `descriptor` (a copy with the
// same process id may have renamed its own announcement over a dead one's).
bool StillNamed(int descriptor, const std::string& path) {
    struct stat held {
    }, named{};
    return fstat(descriptor, &held) == 0 && lstat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

std::string Contents(int descriptor) {
    std::string contents;
    char buffer[512];
    ssize_t count = 0;
    while ((count = read(descriptor, buffer, sizeof buffer)) > 0) contents.append(buffer, count);
    return contents;
}

}  // namespace

std::vector<Text> AnnouncedTitles(const std::string& directory) {
    std::vector<Text> titles;
    DIR* listing = directory.empty() ? nullptr : opendir(directory.c_str());
    if (listing == nullptr) return titles;
    while (const dirent* entry = readdir(listing)) {
        if (entry->d_name[0] == '.') continue;
        const std::string path = directory + "/" + entry->d_name;
        const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (descriptor < 0) continue;
        // A lock we can take is held by no running copy.
        if (flock(descriptor, LOCK_SH | LOCK_NB) == 0) {
            if (StillNamed(descriptor, path)) unlink(path.c_str());
            close(descriptor);
            continue;
        }
        std::istringstream lines(Contents(descriptor));
        close(descriptor);
        std::string line;
        while (std::getline(lines, line)) titles.push_back(TextFromUtf8(line));
    }
    closedir(listing);
    return titles;
}

std::vector<long> DeadAnnouncers(const std::string& directory) {
    std::vector<long> dead;
    DIR* listing = directory.empty() ? nullptr : opendir(directory.c_str());
    if (listing == nullptr) return dead;
    while (const dirent* entry = readdir(listing)) {
        if (entry->d_name[0] == '.') continue;
        const int descriptor =
            open((directory + "/" + entry->d_name).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (descriptor < 0) continue;
        if (flock(descriptor, LOCK_SH | LOCK_NB) == 0) dead.push_back(std::atol(entry->d_name));
        close(descriptor);
    }
    closedir(listing);
    return dead;
}

std::string AnnouncementDirectory(const std::string& runtimeDirectory,
                                  const std::string& waylandDisplay) {
    if (runtimeDirectory.empty() || runtimeDirectory.front() != '/' || waylandDisplay.empty()) {
        return std::string();
    }
    std::string key = waylandDisplay;
    for (char& c : key) {
        if (c == '/') c = '_';
    }
    return runtimeDirectory + "/brumelis-toolbars-" + key;
}

std::vector<ListedWindow> WithAnnouncedToolbars::TopLevelWindows(WindowHandle window,
                                                                 std::size_t titleLength) {
    std::vector<ListedWindow> listed = windows_.TopLevelWindows(window, titleLength);
    for (Text& title : AnnouncedTitles(directory_)) {
        listed.push_back(ListedWindow{-1, CutTitle(std::move(title), titleLength)});
    }
    return listed;
}

}  // namespace brumelis
