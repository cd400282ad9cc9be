#include "platform/file_instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/private_directory.h"

namespace brumelis {

namespace {

constexpr auto kCheckInterval = std::chrono::milliseconds(10);

}  // namespace

std::string FileInstanceLock::DisplayKey(const std::string& display) {
    const std::size_t colon = display.rfind(':');
    std::string host = colon == std::string::npos ? "" : display.substr(0, colon);
    std::string number = colon == std::string::npos ? display : display.substr(colon + 1);
    number = number.substr(0, number.find('.'));  // the screen does not matter
    if (host == "unix") host.clear();             // the local socket, as ":N"
    std::string key = host.empty() ? number : host + "_" + number;
    for (char& c : key) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!plain) c = '_';
    }
    return key;
}

FileInstanceLock::FileInstanceLock(const std::string& display, const std::string& runtimeDirectory,
                                   std::chrono::milliseconds mostWait)
    : mostWait_(mostWait) {
    const std::string directory = PrivateDirectory(runtimeDirectory);
    if (directory.empty()) return;
    path_ = directory + "/brumelis-display-" + DisplayKey(display) + ".lock";
}

FileInstanceLock::~FileInstanceLock() {
    Release();
}

void FileInstanceLock::Acquire() {
    if (path_.empty() || Held()) return;
    const int descriptor =
        open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600);
    if (descriptor < 0) return;
    const auto deadline = std::chrono::steady_clock::now() + mostWait_;
    for (;;) {
        if (flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
            descriptor_ = descriptor;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            close(descriptor);
            return;
        }
        std::this_thread::sleep_for(kCheckInterval);
    }
}

// The file stays: removing it would let a third copy lock a new file while
// a second one still waits on the old.
void FileInstanceLock::Release() {
    if (!Held()) return;
    close(descriptor_);  // gives the lock back
    descriptor_ = -1;
}

}  // namespace brumelis
