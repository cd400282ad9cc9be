// The program's end of the session bus, as the KWin and GNOME rows need it:
// calls to other names (waited for at most a deadline, or answered later on
// the main loop), the owners of well-known names, signals from one sender,
// and objects of the program's own that others call. One implementation
// speaks GDBus; the rows' tests replay recorded traffic (tests/bus/).
#pragma once

#include <glib.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace brumelis {

// Long enough for a busy compositor, short enough for a click.
inline constexpr std::chrono::milliseconds kBusDeadline{1000};

// A reply: its body, or the D-Bus error's name when the call failed (a
// failure on this side, the deadline passed or the bus gone, is
// org.freedesktop.DBus.Error.Failed).
struct BusReply {
    GVariant* body = nullptr;  // owned; null on an error
    std::string error;

    BusReply() = default;
    BusReply(GVariant* value, std::string failure) : body(value), error(std::move(failure)) {}
    BusReply(BusReply&& other) noexcept : body(other.body), error(std::move(other.error)) {
        other.body = nullptr;
    }
    BusReply& operator=(BusReply&&) = delete;
    ~BusReply() {
        if (body != nullptr) g_variant_unref(body);
    }
    bool ok() const { return body != nullptr; }
};

// The answer to a call not waited for: its body, null when it failed.
using BusLater = std::function<void(GVariant* body)>;

// One call made to the program's object; the answer may come much later,
// exactly once. A null body refuses the call (AccessDenied).
using BusAnswer = std::function<void(GVariant* body)>;
using BusCallHandler = std::function<void(const std::string& sender, const std::string& method,
                                          GVariant* parameters, BusAnswer answer)>;

// Which signals to hear: empty fields match anything. `sender` is a unique
// name, so that nobody else can speak in its place; `arg0` the first
// argument, when it is a string.
struct BusSignalMatch {
    std::string sender;
    std::string path;
    std::string interface;
    std::string member;
    std::string arg0;
};
using BusSignalHandler = std::function<void(const std::string& member, GVariant* values)>;

class SessionBus {
public:
    virtual ~SessionBus() = default;
    // The program's unique name: no other connection can ever own it.
    virtual std::string UniqueName() const = 0;
    // `arguments` may be null or floating; it is consumed.
    virtual BusReply Call(const std::string& destination, const std::string& path,
                          const std::string& interface, const std::string& method,
                          GVariant* arguments, std::chrono::milliseconds deadline) = 0;
    // Returns at once; `later` (may be empty) runs on the main loop.
    virtual void Send(const std::string& destination, const std::string& path,
                      const std::string& interface, const std::string& method, GVariant* arguments,
                      BusLater later) = 0;
    // Until the bus goes, on the main loop.
    virtual void Subscribe(const BusSignalMatch& match, BusSignalHandler handler) = 0;
    // Serves `introspection`'s first interface at `path` until the bus
    // goes; false when that could not be done.
    virtual bool Export(const std::string& path, const std::string& introspection,
                        BusCallHandler handler) = 0;
    // Calls made since the connection (docs/benchmarks.md).
    virtual std::size_t MessagesSent() const = 0;
};

// What the session bus closing does to the program.
enum class BusLoss { kEndsProgram, kLeftToProgram };

// Null when there is no session bus.
std::unique_ptr<SessionBus> ConnectSessionBus(BusLoss loss);

// Whether `name` has an owner; false when the bus did not say in time.
bool NameHasOwner(SessionBus& bus, const std::string& name);
// The unique name that owns `name`; empty when none, or no answer in time.
std::string NameOwner(SessionBus& bus, const std::string& name);

}  // namespace brumelis
