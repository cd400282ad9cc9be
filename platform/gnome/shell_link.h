// The program's end of the interface Brumelis's GNOME Shell extension
// exports (platform/gnome/extension/): calls that never wait, and the
// signals the extension sends this program alone. The window system is
// written against this link; the bus is one implementation of it, recorded
// traffic another (tests/gnome/unit/).
#pragma once

#include <glib.h>

#include <cstddef>
#include <functional>

namespace brumelis {

inline constexpr char kExtensionUuid[] = "brumelis@zolvec.example";
inline constexpr char kShellName[] = "org.gnome.Shell";
inline constexpr char kExtensionPath[] = "/example/zolvec/Brumelis";
inline constexpr char kExtensionInterface[] = "example.zolvec.Brumelis1";

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
    // The extension's signals, from now on.
    virtual void OnSignal(Signal signal) = 0;
    // Messages sent since the link was made (docs/benchmarks.md).
    virtual std::size_t MessagesSent() const = 0;
};

}  // namespace brumelis
