// A script bus that replays traffic recorded between the program and KWin:
// each call KWin answers is looked up by object and method in a table of
// recorded replies (GVariant text, or an error's name), and running the
// script delivers the calls the script made then.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/kwin/kwin_bus.h"

namespace brumelis::testing {

struct RecordedCall {
    std::string sender;
    std::string method;
    std::string parameters;  // GVariant text
};

class RecordedBus final : public ScriptBus {
public:
    // "path method" -> reply text, or "error:Name".
    std::map<std::string, std::string> replies;
    // Delivered when KWin runs the script.
    std::vector<RecordedCall> onRun;
    // Every call made, as "path method arguments".
    std::vector<std::string>* calls = nullptr;

    std::string UniqueName() const override { return ":1.6"; }
    BusReply Call(const std::string& destination, const std::string& path,
                  const std::string& interface, const std::string& method, GVariant* arguments,
                  std::chrono::milliseconds deadline) override;
    void OnCall(BusCallHandler handler) override { handler_ = std::move(handler); }

    // Delivers one call of the script's; the program's answer, as text
    // ("refused" for an error, "" while unanswered), lands in answers[index].
    std::size_t Deliver(const RecordedCall& call);
    std::deque<std::string> answers;

private:
    BusCallHandler handler_;
};

}  // namespace brumelis::testing
