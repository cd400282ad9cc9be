// The one X error policy of the process: an error never ends the program.
// Xlib's default handler prints and exits; ours records the error and
// returns. A window may vanish between any two requests, so BadWindow is an
// ordinary outcome here, not a fault.
//
// Requests with a reply report their error before they return: an ErrorTrap
// around them says whether one failed. Requests without a reply (property
// writes, messages) are never waited for: their errors arrive later, name
// the failed request by its serial, and SentRequests tells which window that
// request was about.
#pragma once

#include <X11/Xlib.h>

#include <deque>
#include <vector>

namespace brumelis::x11 {

// Requests [first, end) of a connection, about one window.
struct Run {
    unsigned long first;
    unsigned long end;
    Window window;
};

// Replaces the process's Xlib error handler with the recording one. Called
// again, it changes nothing.
void InstallErrorPolicy();

// The requests made on one connection while it lives. Traps nest: an error
// counts for every trap open on its connection.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // True when one of the requests answered so far failed.
    bool Seen() const;
    // The error code of the last failure seen (BadWindow, ...), 0 for none.
    unsigned char LastCode() const;

private:
    friend int RecordError(Display* display, XErrorEvent* event);

    Display* display_;
    unsigned long firstSerial_;
    unsigned char code_ = 0;
};

// The requests without a reply made on one connection, each run of them
// about one window.
class SentRequests {
public:
    explicit SentRequests(Display* display);
    ~SentRequests();
    SentRequests(const SentRequests&) = delete;
    SentRequests& operator=(const SentRequests&) = delete;

    // The requests made while a Batch lives are about `window`.
    class Batch {
    public:
        Batch(SentRequests& sent, Window window);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        SentRequests& sent_;
        Run* run_;
    };

    // The windows whose requests failed since the last call, once each.
    std::vector<Window> TakeFailed();

private:
    friend int RecordError(Display* display, XErrorEvent* event);

    Display* display_;
    // The latest runs: an error comes back within a few requests, long
    // before this many runs have been made.
    std::deque<Run> runs_;
    std::vector<Window> failed_;
};

}  // namespace brumelis::x11
