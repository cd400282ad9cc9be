#include "platform/kwin/kwin_script_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace brumelis {

namespace {

std::string Problem(const std::string& path, int error) {
    return path + " : " + std::strerror(error);
}

}  // namespace

std::string WriteScriptFile(const std::string& path, const std::string& text) {
    const int file =
        open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0600);
    if (file < 0) return Problem(path, errno);
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = write(file, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) {
            const int error = count < 0 ? errno : ENOSPC;
            close(file);
            unlink(path.c_str());
            return Problem(path, error);
        }
        written += static_cast<std::size_t>(count);
    }
    // A full tmpfs may say so only now.
    if (close(file) != 0) {
        const int error = errno;
        unlink(path.c_str());
        return Problem(path, error);
    }
    return "";
}

}  // namespace brumelis
