#include "platform/gnome/shell_link.h"

namespace brumelis {

void ShellLink::Call(const char* method, GVariant* parameters, Reply reply) {
    bus_->Send(shell_, kExtensionPath, kExtensionInterface, method, parameters, std::move(reply));
}

std::string ShellLink::Ask(const char* method, GVariant* parameters) {
    return bus_->Call(shell_, kExtensionPath, kExtensionInterface, method, parameters, kBusDeadline)
        .error;
}

void ShellLink::OnSignal(Signal signal) {
    signal_ = std::move(signal);
    Subscribe();
}

void ShellLink::Listen(Signal signal) {
    listeners_.push_back(std::move(signal));
    Subscribe();
}

void ShellLink::Subscribe() {
    if (subscribed_) return;
    subscribed_ = true;
    // The Shell's unique name: a signal sent to this program by anyone else
    // is not taken for the extension's or the Shell's word.
    const auto heard = [this](const std::string& member, GVariant* values) {
        if (signal_) signal_(member.c_str(), values);
        for (const Signal& listener : listeners_) listener(member.c_str(), values);
    };
    bus_->Subscribe({shell_, kExtensionPath, kExtensionInterface, "", ""}, heard);
    bus_->Subscribe({shell_, "/org/gnome/Shell", "org.gnome.Shell.Extensions",
                     kExtensionStateChanged, kExtensionUuid},
                    heard);
}

}  // namespace brumelis
