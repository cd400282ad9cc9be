// The start lock of one display, X or Wayland: flock on a file named after
// the display, in the user's runtime directory ($XDG_RUNTIME_DIR, else a
// directory of the user's own under /tmp). The kernel gives the lock back
// when its process ends, however it ends, and no connection to the display
// is needed before the toolkit opens its own. POSIX only.
#pragma once

#include <chrono>
#include <string>

#include "platform/instance_lock.h"

namespace brumelis {

class FileInstanceLock final : public InstanceLock {
public:
    // For the display named `display` ($DISPLAY or $WAYLAND_DISPLAY), in `runtimeDirectory`
    // ($XDG_RUNTIME_DIR; empty: the fallback under /tmp). Acquire waits at
    // most `mostWait`: as long as the Win32 program waits for its mutex.
    FileInstanceLock(const std::string& display, const std::string& runtimeDirectory,
                     std::chrono::milliseconds mostWait = std::chrono::seconds(10));
    ~FileInstanceLock() override;
    FileInstanceLock(const FileInstanceLock&) = delete;
    FileInstanceLock& operator=(const FileInstanceLock&) = delete;

    // Checks every 10 ms until the wait is over; without a usable
    // directory it returns at once, unlocked.
    void Acquire() override;
    void Release() override;

    bool Held() const { return descriptor_ >= 0; }
    // The file, empty when there is no safe place for it.
    const std::string& Path() const { return path_; }

    // ":99", ":99.0", "unix:99" and "unix:99.2" name one display: "99";
    // another host keeps its name ("otherhost:10" gives "otherhost_10").
    static std::string DisplayKey(const std::string& display);

private:
    std::string path_;
    std::chrono::milliseconds mostWait_;
    int descriptor_ = -1;
};

}  // namespace brumelis
