#include "platform/x11/x11_errors.h"

#include <algorithm>
#include <mutex>

namespace brumelis::x11 {

namespace {

constexpr std::size_t kRunsKept = 256;

// The open traps and request records of every connection: the toolkit's and
// a test's own connections share the one handler.
std::mutex recordsMutex;
std::vector<ErrorTrap*>& OpenTraps() {
    static std::vector<ErrorTrap*> traps;
    return traps;
}
std::vector<SentRequests*>& Records() {
    static std::vector<SentRequests*> records;
    return records;
}

template <typename T>
void Remove(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

// An error that no trap or record claims is dropped: the call that made the
// request did not ask, and the program goes on.
int RecordError(Display* display, XErrorEvent* event) {
    std::lock_guard<std::mutex> lock(recordsMutex);
    for (ErrorTrap* trap : OpenTraps()) {
        if (trap->display_ == display && event->serial >= trap->firstSerial_) {
            trap->code_ = event->error_code;
        }
    }
    for (SentRequests* sent : Records()) {
        if (sent->display_ != display) continue;
        for (const Run& run : sent->runs_) {
            if (event->serial >= run.first && event->serial < run.end) {
                sent->failed_.push_back(run.window);
            }
        }
    }
    return 0;
}

void InstallErrorPolicy() {
    XSetErrorHandler(&RecordError);
}

ErrorTrap::ErrorTrap(Display* display) : display_(display), firstSerial_(NextRequest(display)) {
    std::lock_guard<std::mutex> lock(recordsMutex);
    OpenTraps().push_back(this);
}

ErrorTrap::~ErrorTrap() {
    std::lock_guard<std::mutex> lock(recordsMutex);
    Remove(OpenTraps(), this);
}

bool ErrorTrap::Seen() const {
    return LastCode() != 0;
}

unsigned char ErrorTrap::LastCode() const {
    std::lock_guard<std::mutex> lock(recordsMutex);
    return code_;
}

SentRequests::SentRequests(Display* display) : display_(display) {
    std::lock_guard<std::mutex> lock(recordsMutex);
    Records().push_back(this);
}

SentRequests::~SentRequests() {
    std::lock_guard<std::mutex> lock(recordsMutex);
    Remove(Records(), this);
}

// Recorded at once, open-ended: an error can come back while the batch is
// still making requests.
SentRequests::Batch::Batch(SentRequests& sent, Window window) : sent_(sent) {
    std::lock_guard<std::mutex> lock(recordsMutex);
    sent_.runs_.push_back(Run{NextRequest(sent.display_), ~0ul, window});
    if (sent_.runs_.size() > kRunsKept) sent_.runs_.pop_front();
    run_ = &sent_.runs_.back();
}

SentRequests::Batch::~Batch() {
    std::lock_guard<std::mutex> lock(recordsMutex);
    run_->end = NextRequest(sent_.display_);
}

std::vector<Window> SentRequests::TakeFailed() {
    std::lock_guard<std::mutex> lock(recordsMutex);
    std::vector<Window> failed;
    failed.swap(failed_);
    std::sort(failed.begin(), failed.end());
    failed.erase(std::unique(failed.begin(), failed.end()), failed.end());
    return failed;
}

}  // namespace brumelis::x11
