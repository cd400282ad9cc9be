// The one X error policy of the process: an error never ends the program.
// Xlib's default handler prints and exits; ours records the error and
// returns, and the call that made the failing request answers the failure
// result the core expects. A window may vanish between any two requests, so
// BadWindow is an ordinary outcome here, not a fault.
#pragma once

#include <X11/Xlib.h>

namespace brumelis::x11 {

// Replaces the process's Xlib error handler with the recording one. Called
// again, it changes nothing.
void InstallErrorPolicy();

// The requests made on one connection while it lives. Requests with a reply
// report their error before they return; those without one are only known
// to have failed once the server has answered a later request. Traps nest:
// an error counts for every trap open on its connection.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // True when one of the requests answered so far failed.
    bool Seen() const;
    // Waits for the server to answer every request made on the connection
    // (a round trip to the server, never to another client), then Seen().
    bool Failed();
    // The error code of the last failure seen (BadWindow, ...), 0 for none.
    unsigned char LastCode() const;

private:
    friend int RecordError(Display* display, XErrorEvent* event);

    Display* display_;
    unsigned long firstSerial_;
    unsigned char code_ = 0;
};

}  // namespace brumelis::x11
