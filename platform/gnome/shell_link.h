// The program's end of the interface Brumelis's GNOME Shell extension
// exports (platform/gnome/extension/): calls, and the signals the extension
// sends this program alone, with the Shell's word on the extension going and
// coming. The window system is
// written against this link; the bus is one implementation of it, recorded
// traffic another (tests/gnome/unit/).
#pragma once

#include <glib.h>

#include <cstddef>
#include <functional>
#include <string>

namespace brumelis {

inline constexpr char kExtensionUuid[] = "brumelis@zolvec.example";
inline constexpr char kShellName[] = "org.gnome.Shell";
inline constexpr char kExtensionPath[] = "/example/zolvec/Brumelis";
inline constexpr char kExtensionInterface[] = "example.zolvec.Brumelis1";
// The interface's version this program was built with: the extension's
// Version method says its own (an extension without it is version 1).
inline constexpr unsigned kInterfaceVersion = 2;
// The Shell's signal, delivered with the extension's: (sa{sv}), the uuid
// and the extension's info.
inline constexpr char kExtensionStateChanged[] = "ExtensionStateChanged";

class ShellLink {
public:
    // The reply's values, or null when the call failed.
    using Reply = std::function<void(GVariant* values)>;
    using Signal = std::function<void(const char* name, GVariant* values)>;

    virtual ~ShellLink() = default;
    // Sends a method call of the extension's interface (`parameters` may be
    // floating; it is consumed) and returns at once; `reply` (may be empty)
    // runs on the main loop when the answer comes.
    virtual void Call(const char* method, GVariant* parameters, Reply reply) = 0;
    // Sends a method call and waits for its answer, at most a second: the
    // D-Bus error's name, empty when it was done. For a click only: the
    // Shell answers at once, and a Shell that hangs draws nothing at all.
    virtual std::string Ask(const char* method, GVariant* parameters) = 0;
    // The extension's signals and the Shell's kExtensionStateChanged, from now on.
    virtual void OnSignal(Signal signal) = 0;
    // Messages sent since the link was made (docs/benchmarks.md).
    virtual std::size_t MessagesSent() const = 0;
};

}  // namespace brumelis
