// A socket standing between the program and sway's: each connection made to
// it is carried to sway's socket, byte for byte, in a thread of the test.
// Cut closes every connection carried, as sway closes a client; the ones
// made after are carried again.
#pragma once

#include <string>
#include <thread>

namespace brumelis::sway_tests {

class IpcRelay {
public:
    // Listens at `path` and carries to `swaySocket`.
    IpcRelay(std::string path, std::string swaySocket);
    ~IpcRelay();
    IpcRelay(const IpcRelay&) = delete;
    IpcRelay& operator=(const IpcRelay&) = delete;

    const std::string& Path() const { return path_; }
    void Cut();

private:
    void Serve();

    std::string path_;
    std::string swaySocket_;
    int listener_ = -1;
    int wake_[2] = {-1, -1};  // a byte: cut; closed: end
    std::thread thread_;
};

}  // namespace brumelis::sway_tests
