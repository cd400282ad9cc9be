// The program's end of the interface Brumelis's GNOME Shell extension
// exports (platform/gnome/extension/): calls, and the signals the extension
// sends this program alone, with the Shell's word on the extension going and
// coming. The window system is written against this link; under it, the
// session bus or recorded traffic (tests/bus/).
#pragma once

#include <glib.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "platform/dbus/session_bus.h"

namespace brumelis {

// Also the name of the extension's directory (platform/gnome/CMakeLists.txt).
inline constexpr char kExtensionUuid[] = BRUMELIS_EXTENSION_UUID;
inline constexpr char kShellName[] = "org.gnome.Shell";
inline constexpr char kExtensionPath[] = "/example/zolvec/Brumelis";
inline constexpr char kExtensionInterface[] = "example.zolvec.Brumelis1";
// The interface's version this program was built with: the extension's
// Version method says its own (an extension without it is version 1).
inline constexpr unsigned kInterfaceVersion = 3;
// The Shell's signal, delivered with the extension's: (sa{sv}), the uuid
// and the extension's info.
inline constexpr char kExtensionStateChanged[] = "ExtensionStateChanged";

class ShellLink {
public:
    // The reply's values, or null when the call failed.
    using Reply = std::function<void(GVariant* values)>;
    using Signal = std::function<void(const char* name, GVariant* values)>;

    // `shell`: the Shell's unique name, the only sender heard.
    ShellLink(std::unique_ptr<SessionBus> bus, std::string shell)
        : bus_(std::move(bus)), shell_(std::move(shell)) {}

    // Sends a method call of the extension's interface (`parameters` may be
    // floating; it is consumed) and returns at once; `reply` (may be empty)
    // runs on the main loop when the answer comes.
    void Call(const char* method, GVariant* parameters, Reply reply);
    // Sends a method call and waits for its answer, at most a second: the
    // D-Bus error's name, empty when it was done. For a click only: the
    // Shell answers at once, and a Shell that hangs draws nothing at all.
    std::string Ask(const char* method, GVariant* parameters);
    // The extension's signals and the Shell's kExtensionStateChanged, from now on.
    void OnSignal(Signal signal);
    // Messages sent on the bus (docs/benchmarks.md).
    std::size_t MessagesSent() const { return bus_->MessagesSent(); }

private:
    std::unique_ptr<SessionBus> bus_;
    std::string shell_;
    Signal signal_;
    bool subscribed_ = false;
};

}  // namespace brumelis
