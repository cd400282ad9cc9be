// A desktop held back from a copy of the program: the copy is given a socket
// path in the session's runtime directory that nothing answers on yet, as a
// program started with the session finds its desktop's socket; once let
// come, the path is a link to the desktop's real socket.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace brumelis::wayland_tests {

class LateSocket {
public:
    explicit LateSocket(std::string real) : real_(std::move(real)) {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        path_ = std::string(runtime != nullptr ? runtime : "/tmp") + "/brumelis-late-" +
                std::to_string(getpid());
        unlink(path_.c_str());
    }
    ~LateSocket() { unlink(path_.c_str()); }
    LateSocket(const LateSocket&) = delete;
    LateSocket& operator=(const LateSocket&) = delete;

    const std::string& Path() const { return path_; }
    bool Come() { return !real_.empty() && symlink(real_.c_str(), path_.c_str()) == 0; }

private:
    std::string real_;
    std::string path_;
};

}  // namespace brumelis::wayland_tests
