#include "tests/gnome/unit/recorded_traffic.h"

#include <fstream>
#include <sstream>

#include "platform/gnome/shell_link.h"

namespace brumelis::testing {

GVariant* RecordedMessage::Values() const {
    return ParseValues(text);
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

void EmitSignal(RecordedBus& bus, const RecordedMessage& message, const std::string& sender) {
    GVariant* values = message.Values();
    if (message.member == kExtensionStateChanged) {
        bus.Emit({sender, "/org/gnome/Shell", "org.gnome.Shell.Extensions", message.member, ""},
                 values);
    } else {
        bus.Emit({sender, kExtensionPath, kExtensionInterface, message.member, ""}, values);
    }
    if (values != nullptr) g_variant_unref(values);
}

}  // namespace brumelis::testing
