// Recorded traffic of Brumelis's Shell extension (tests/gnome/traffic/), one
// message a line: "reply METHOD VALUES", "error METHOD NAME" or
// "signal NAME VALUES", the values in GVariant's text form; a signal is
// played on the recorded bus as the Shell (kRecordedShell) sends it.
#pragma once

#include <glib.h>

#include <string>
#include <vector>

#include "tests/bus/recorded_bus.h"

namespace brumelis::testing {

inline constexpr char kRecordedShell[] = ":1.0";

struct RecordedMessage {
    std::string kind;          // reply, error or signal
    std::string member;        // method or signal name
    std::string text;          // the values, or the error's name
    GVariant* Values() const;  // parsed; the caller unrefs it
};

std::vector<RecordedMessage> ReadTraffic(const std::string& name);

// Emits a recorded signal from `sender`.
void EmitSignal(RecordedBus& bus, const RecordedMessage& message,
                const std::string& sender = kRecordedShell);

}  // namespace brumelis::testing
