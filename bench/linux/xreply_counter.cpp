// Counts the round trips a process makes to the X server: every Xlib request
// that waits for the server's answer goes through _XReply. Loaded with
// LD_PRELOAD into the program measured; the count lives in the 8-byte file
// named by BRUMELIS_XREPLY_COUNT (created if missing), which the measuring
// script reads whenever it likes. Not a test: it asserts nothing.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>

namespace {

using Reply = int (*)(void*, void*, int, int);

std::atomic<std::uint64_t>* OpenCounter() {
    const char* path = std::getenv("BRUMELIS_XREPLY_COUNT");
    if (path == nullptr) return nullptr;
    const int file = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file < 0) return nullptr;
    if (ftruncate(file, sizeof(std::uint64_t)) != 0) {
        close(file);
        return nullptr;
    }
    void* shared =
        mmap(nullptr, sizeof(std::uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    close(file);
    return shared == MAP_FAILED ? nullptr : static_cast<std::atomic<std::uint64_t>*>(shared);
}

}  // namespace

// Xlib's own, from Xlibint.h: Status _XReply(Display*, xReply*, int, Bool).
extern "C" int _XReply(void* display, void* reply, int extra, int discard) {
    static const auto real = reinterpret_cast<Reply>(dlsym(RTLD_NEXT, "_XReply"));
    static std::atomic<std::uint64_t>* const counter = OpenCounter();
    if (counter != nullptr) counter->fetch_add(1, std::memory_order_relaxed);
    return real(display, reply, extra, discard);
}
