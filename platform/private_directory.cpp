#include "platform/private_directory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace brumelis {

std::string PrivateDirectory(const std::string& runtimeDirectory) {
    if (!runtimeDirectory.empty() && runtimeDirectory.front() == '/') return runtimeDirectory;
    const std::string fallback = "/tmp/brumelis-" + std::to_string(getuid());
    if (mkdir(fallback.c_str(), 0700) != 0 && errno != EEXIST) return "";
    struct stat status {};
    const bool own = lstat(fallback.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
                     status.st_uid == getuid() && (status.st_mode & 077) == 0;
    return own ? fallback : "";
}

}  // namespace brumelis
