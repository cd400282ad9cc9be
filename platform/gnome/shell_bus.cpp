#include "platform/gnome/shell_bus.h"

#include <string>
#include <utility>

#include "platform/gnome/extension_problem.h"

namespace brumelis {

namespace {

// GetExtensionInfo of Brumelis's extension, asked of `shell` (a name).
BusReply AskExtensionInfo(SessionBus& bus, const std::string& shell) {
    return bus.Call(shell, "/org/gnome/Shell", "org.gnome.Shell.Extensions", "GetExtensionInfo",
                    g_variant_new("(s)", kExtensionUuid), kBusDeadline);
}

BusReply AskExtension(SessionBus& bus, const std::string& shell, const char* method) {
    return bus.Call(shell, kExtensionPath, kExtensionInterface, method, nullptr, kBusDeadline);
}

}  // namespace

bool GnomeShellOnSessionBus() {
    const auto bus = ConnectSessionBus(BusLoss::kEndsProgram);
    return bus && NameHasOwner(*bus, kShellName);
}

ShellReadiness AskShellReadiness() {
    const auto bus = ConnectSessionBus(BusLoss::kEndsProgram);
    if (!bus || !NameHasOwner(*bus, kShellName)) {
        return {ExtensionReadiness::kNotYet, kShellNotThere};
    }
    const BusReply info = AskExtensionInfo(*bus, kShellName);
    return {ReadExtensionReadiness(info.body), ExtensionNotRunning(info.body)};
}

std::variant<ShellStart, Text> ConnectToShell() {
    auto bus = ConnectSessionBus(BusLoss::kEndsProgram);
    if (!bus) return ExtensionFailed("");
    const std::string shell = NameOwner(*bus, kShellName);
    if (shell.empty()) return ExtensionFailed("");
    SessionBus& asked = *bus;
    auto link = std::make_unique<ShellLink>(std::move(bus), shell);
    // Subscribed before the first read, so that no change falls between the
    // two: the signals wait on the main loop for the window system, and any
    // sent before the answer is older than it or the same.
    link->OnSignal(nullptr);
    const BusReply state = AskExtension(asked, shell, "Follow");
    const auto focus = state.ok() ? ReadShellFocus(state.body) : std::nullopt;
    if (!focus) {
        if (!ExtensionAbsent(state.error)) return ExtensionFailed(state.error);
        return ExtensionNotRunning(AskExtensionInfo(asked, shell).body);
    }
    const BusReply version = AskExtension(asked, shell, "Version");
    const auto running = ReadExtensionVersion(version.body, version.error);
    Text notice = running && *running < kInterfaceVersion ? kExtensionOutdated : Text();
    std::optional<StageSize> stage;
    if (running && *running >= 3) {
        const BusReply size = AskExtension(asked, shell, "Stage");
        if (size.ok() && g_variant_is_of_type(size.body, G_VARIANT_TYPE("((ii))"))) {
            StageSize read;
            g_variant_get(size.body, "((ii))", &read.width, &read.height);
            stage = read;
        }
    }
    return ShellStart{std::move(link), *focus, std::move(notice), running.value_or(1), stage};
}

}  // namespace brumelis
