#include "platform/kwin/kwin_script_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/whole_write.h"

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
    if (!WriteWhole(file, text)) {
        const int error = errno;
        close(file);
        unlink(path.c_str());
        return Problem(path, error);
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
