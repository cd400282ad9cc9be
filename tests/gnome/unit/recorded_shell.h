// Recorded traffic of Brumelis's Shell extension (tests/gnome/traffic/), one
// message a line: "reply METHOD VALUES", "error METHOD NAME" or
// "signal NAME VALUES", the values in GVariant's text form. A ShellLink
// that keeps the calls the window system sends and delivers the recorded
// signals when told.
#pragma once

#include <glib.h>

#include <string>
#include <vector>

#include "platform/gnome/shell_link.h"

namespace brumelis::testing {

struct RecordedMessage {
    std::string kind;          // reply, error or signal
    std::string member;        // method or signal name
    std::string text;          // the values, or the error's name
    GVariant* Values() const;  // parsed; the caller unrefs it
};

std::vector<RecordedMessage> ReadTraffic(const std::string& name);

struct SentCall {
    std::string method;
    std::string values;  // GVariant text
    ShellLink::Reply reply;
};

class RecordedShell final : public ShellLink {
public:
    void Call(const char* method, GVariant* parameters, Reply reply) override;
    // Kept with the calls (no reply); answered `askError` (empty: done).
    std::string Ask(const char* method, GVariant* parameters) override;
    void OnSignal(Signal signal) override { signal_ = std::move(signal); }
    std::size_t MessagesSent() const override { return calls.size(); }
    void Deliver(const RecordedMessage& message);

    std::vector<SentCall> calls;
    std::string askError;

private:
    Signal signal_;
};

}  // namespace brumelis::testing
