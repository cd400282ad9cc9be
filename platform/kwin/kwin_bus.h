// The program's end of the session bus, as the KWin window system needs it:
// calls to other names (waited for, at the start and the end only), and the
// calls the script makes to the program, answered when the program chooses.
// One implementation speaks GDBus; tests replay recorded traffic.
#pragma once

#include <glib.h>

#include <chrono>
#include <functional>
#include <string>

namespace brumelis {

// A reply: its body, or the D-Bus error's name when the call failed.
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

// One call the script made; the answer may come much later. A null body
// refuses it (AccessDenied).
using BusAnswer = std::function<void(GVariant* body)>;
using BusCallHandler = std::function<void(const std::string& sender, const std::string& method,
                                          GVariant* parameters, BusAnswer answer)>;

class ScriptBus {
public:
    virtual ~ScriptBus() = default;
    // The program's unique name: no other connection can ever own it.
    virtual std::string UniqueName() const = 0;
    // `arguments` may be floating; it is consumed.
    virtual BusReply Call(const std::string& destination, const std::string& path,
                          const std::string& interface, const std::string& method,
                          GVariant* arguments, std::chrono::milliseconds deadline) = 0;
    // The calls made to the program's object, delivered on the main loop.
    virtual void OnCall(BusCallHandler handler) = 0;
};

}  // namespace brumelis
