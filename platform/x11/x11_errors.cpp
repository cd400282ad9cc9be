#include "platform/x11/x11_errors.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace brumelis::x11 {

namespace {

// The open traps of every connection: the toolkit's and a test's own
// connections share the one handler.
std::mutex trapsMutex;
std::vector<ErrorTrap*>& OpenTraps() {
    static std::vector<ErrorTrap*> traps;
    return traps;
}

}  // namespace

// An error outside every trap is dropped: the call that made the request
// did not ask, and the program goes on.
int RecordError(Display* display, XErrorEvent* event) {
    std::lock_guard<std::mutex> lock(trapsMutex);
    for (ErrorTrap* trap : OpenTraps()) {
        if (trap->display_ == display && event->serial >= trap->firstSerial_) {
            trap->code_ = event->error_code;
        }
    }
    return 0;
}

void InstallErrorPolicy() {
    XSetErrorHandler(&RecordError);
}

ErrorTrap::ErrorTrap(Display* display) : display_(display), firstSerial_(NextRequest(display)) {
    std::lock_guard<std::mutex> lock(trapsMutex);
    OpenTraps().push_back(this);
}

ErrorTrap::~ErrorTrap() {
    std::lock_guard<std::mutex> lock(trapsMutex);
    auto& traps = OpenTraps();
    traps.erase(std::remove(traps.begin(), traps.end(), this), traps.end());
}

bool ErrorTrap::Seen() const {
    return LastCode() != 0;
}

bool ErrorTrap::Failed() {
    XSync(display_, False);
    return Seen();
}

unsigned char ErrorTrap::LastCode() const {
    std::lock_guard<std::mutex> lock(trapsMutex);
    return code_;
}

}  // namespace brumelis::x11
