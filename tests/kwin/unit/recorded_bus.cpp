#include "recorded_bus.h"

namespace brumelis::testing {

BusReply RecordedBus::Call(const std::string&, const std::string& path, const std::string&,
                           const std::string& method, GVariant* arguments,
                           std::chrono::milliseconds) {
    std::string printed;
    if (arguments != nullptr) {
        g_variant_ref_sink(arguments);
        gchar* text = g_variant_print(arguments, TRUE);
        printed = text;
        g_free(text);
        g_variant_unref(arguments);
    }
    if (calls != nullptr) calls->push_back(path + " " + method + " " + printed);
    const auto reply = replies.find(path + " " + method);
    if (reply == replies.end())
        return BusReply(nullptr, "org.freedesktop.DBus.Error.UnknownObject");
    if (reply->second.rfind("error:", 0) == 0) return BusReply(nullptr, reply->second.substr(6));
    GVariant* body = g_variant_parse(nullptr, reply->second.c_str(), nullptr, nullptr, nullptr);
    if (method == "run" || method == "start") {
        for (const RecordedCall& call : onRun) Deliver(call);
    }
    return BusReply(g_variant_ref_sink(body), "");
}

std::size_t RecordedBus::Deliver(const RecordedCall& call) {
    answers.emplace_back();
    std::string* answer = &answers.back();
    GVariant* parameters = g_variant_ref_sink(
        g_variant_parse(nullptr, call.parameters.c_str(), nullptr, nullptr, nullptr));
    handler_(call.sender, call.method, parameters, [answer](GVariant* body) {
        if (body == nullptr) {
            *answer = "refused";
            return;
        }
        g_variant_ref_sink(body);
        gchar* text = g_variant_print(body, FALSE);
        *answer = text;
        g_free(text);
        g_variant_unref(body);
    });
    g_variant_unref(parameters);
    return answers.size() - 1;
}

}  // namespace brumelis::testing
