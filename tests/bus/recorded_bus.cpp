#include "recorded_bus.h"

namespace brumelis::testing {

// g_variant_parse gives a reference of our own already: sinking it again
// would keep every parsed value alive.
GVariant* ParseValues(const std::string& text) {
    return g_variant_parse(nullptr, text.c_str(), nullptr, nullptr, nullptr);
}

std::string RecordedBus::Sent(const std::string& path, const std::string& method,
                              GVariant* arguments) {
    ++sent_;
    std::string printed;
    if (arguments != nullptr) {
        g_variant_ref_sink(arguments);
        gchar* text = g_variant_print(arguments, TRUE);
        printed = text;
        g_free(text);
        g_variant_unref(arguments);
    }
    if (calls != nullptr) calls->push_back(path + " " + method + " " + printed);
    return printed;
}

BusReply RecordedBus::Call(const std::string&, const std::string& path, const std::string&,
                           const std::string& method, GVariant* arguments,
                           std::chrono::milliseconds) {
    Sent(path, method, arguments);
    const auto reply = replies.find(path + " " + method);
    if (reply == replies.end())
        return BusReply(nullptr, "org.freedesktop.DBus.Error.UnknownObject");
    if (reply->second.rfind("error:", 0) == 0) return BusReply(nullptr, reply->second.substr(6));
    if (method == "run" || method == "start") {
        for (const RecordedCall& call : onRun) Deliver(call);
    }
    return BusReply(ParseValues(reply->second), "");
}

void RecordedBus::Send(const std::string&, const std::string& path, const std::string&,
                       const std::string& method, GVariant* arguments, BusLater reply) {
    later.push_back({method, Sent(path, method, arguments), std::move(reply)});
}

std::size_t RecordedBus::Deliver(const RecordedCall& call) {
    GVariant* parameters = ParseValues(call.parameters);
    const std::size_t index = Deliver(call.sender, call.method, parameters);
    if (parameters != nullptr) g_variant_unref(parameters);
    return index;
}

std::size_t RecordedBus::Deliver(const std::string& sender, const std::string& method,
                                 GVariant* parameters) {
    answers.emplace_back();
    std::string* answer = &answers.back();
    if (parameters == nullptr || !handler_) return answers.size() - 1;
    handler_(sender, method, parameters, [answer](GVariant* body) {
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
    return answers.size() - 1;
}

void RecordedBus::Emit(const BusSignalMatch& signal, GVariant* values) {
    std::string arg0;
    if (values != nullptr && g_variant_n_children(values) > 0) {
        GVariant* first = g_variant_get_child_value(values, 0);
        if (g_variant_is_of_type(first, G_VARIANT_TYPE_STRING)) {
            arg0 = g_variant_get_string(first, nullptr);
        }
        g_variant_unref(first);
    }
    const auto fits = [](const std::string& wanted, const std::string& field) {
        return wanted.empty() || wanted == field;
    };
    for (const auto& [match, handler] : subscriptions_) {
        if (fits(match.sender, signal.sender) && fits(match.path, signal.path) &&
            fits(match.interface, signal.interface) && fits(match.member, signal.member) &&
            fits(match.arg0, arg0)) {
            handler(signal.member, values);
        }
    }
}

}  // namespace brumelis::testing
