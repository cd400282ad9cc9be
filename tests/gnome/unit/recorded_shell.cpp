#include "tests/gnome/unit/recorded_shell.h"

#include <fstream>
#include <sstream>

namespace brumelis::testing {

GVariant* RecordedMessage::Values() const {
    GVariant* values = g_variant_parse(nullptr, text.c_str(), nullptr, nullptr, nullptr);
    return values != nullptr ? g_variant_ref_sink(values) : nullptr;
}

std::vector<RecordedMessage> ReadTraffic(const std::string& name) {
    std::ifstream file(std::string(BRUMELIS_GNOME_TRAFFIC) + "/" + name);
    std::vector<RecordedMessage> messages;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        RecordedMessage message;
        fields >> message.kind >> message.member;
        std::getline(fields >> std::ws, message.text);
        messages.push_back(message);
    }
    return messages;
}

void RecordedShell::Call(const char* method, GVariant* parameters, Reply reply) {
    if (parameters == nullptr) parameters = g_variant_new("()");  // Follow's
    g_variant_ref_sink(parameters);
    gchar* text = g_variant_print(parameters, TRUE);
    calls.push_back({method, text, std::move(reply)});
    g_free(text);
    g_variant_unref(parameters);
}

std::string RecordedShell::Ask(const char* method, GVariant* parameters) {
    Call(method, parameters, nullptr);
    return askError;
}

void RecordedShell::Deliver(const RecordedMessage& message) {
    GVariant* values = message.Values();
    if (signal_) signal_(message.member.c_str(), values);
    if (values != nullptr) g_variant_unref(values);
}

}  // namespace brumelis::testing
