// A session bus that replays recorded traffic, for the KWin and GNOME rows:
// each waited call is answered from a table of recorded replies (GVariant
// text, or an error's name), looked up by object and method; a call not
// waited for is kept until the test answers it; the test delivers the calls
// made to the program's object and the signals it hears.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/dbus/session_bus.h"

namespace brumelis::testing {

struct RecordedCall {
    std::string sender;
    std::string method;
    std::string parameters;  // GVariant text
};

struct SentLater {
    std::string method;
    std::string values;  // GVariant text
    BusLater reply;      // empty when none was asked for
};

class RecordedBus final : public SessionBus {
public:
    // "path method" -> reply text, or "error:Name".
    std::map<std::string, std::string> replies;
    // Delivered when a run or start call is answered (KWin running the script).
    std::vector<RecordedCall> onRun;
    // Every call made, as "path method arguments".
    std::vector<std::string>* calls = nullptr;
    // The calls not waited for, in order.
    std::vector<SentLater> later;

    std::string UniqueName() const override { return ":1.6"; }
    BusReply Call(const std::string& destination, const std::string& path,
                  const std::string& interface, const std::string& method, GVariant* arguments,
                  std::chrono::milliseconds deadline) override;
    void Send(const std::string& destination, const std::string& path, const std::string& interface,
              const std::string& method, GVariant* arguments, BusLater reply) override;
    void Subscribe(const BusSignalMatch& match, BusSignalHandler handler) override {
        subscriptions_.emplace_back(match, std::move(handler));
    }
    bool Export(const std::string&, const std::string&, BusCallHandler handler) override {
        handler_ = std::move(handler);
        return true;
    }
    std::size_t MessagesSent() const override { return sent_; }

    // Delivers one call to the program's object; its answer, as text
    // ("refused" for an error, "" while unanswered), lands in answers[index].
    std::size_t Deliver(const RecordedCall& call);
    std::size_t Deliver(const std::string& sender, const std::string& method, GVariant* parameters);
    std::deque<std::string> answers;
    // Delivers a signal to every subscription it matches, as the bus would
    // (its arg0 read from `values`).
    void Emit(const BusSignalMatch& signal, GVariant* values);

private:
    std::string Sent(const std::string& path, const std::string& method, GVariant* arguments);

    BusCallHandler handler_;
    std::vector<std::pair<BusSignalMatch, BusSignalHandler>> subscriptions_;
    std::size_t sent_ = 0;
};

// GVariant text parsed; null when it is not GVariant text.
GVariant* ParseValues(const std::string& text);

}  // namespace brumelis::testing
