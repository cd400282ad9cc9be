#include "platform/x11/x11_properties.h"

#include "platform/x11/x11_errors.h"

namespace brumelis::x11 {

namespace {

// Far more items than any list on a desktop holds.
constexpr long kMaxItems = 1 << 16;

}  // namespace

std::optional<Longs> ReadLongs(Display* display, Window window, Atom property, Atom type) {
    ErrorTrap trap(display);
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, kMaxItems, False, type,
                                          &actualType, &actualFormat, &count, &remaining, &data);
    if (status != Success || trap.Seen()) {
        if (data != nullptr) XFree(data);
        return std::nullopt;
    }
    Longs items;
    if (data != nullptr && actualType == type && actualFormat == 32) {
        // Xlib widens each 32-bit item as a signed long: 0xFFFFFFFF comes
        // back as -1 where long has 64 bits.
        const auto* values = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count; ++i) items.push_back(values[i] & 0xFFFFFFFFul);
    }
    if (data != nullptr) XFree(data);
    return items;
}

unsigned long ReadLong(Display* display, Window window, Atom property, Atom type,
                       unsigned long fallback) {
    const std::optional<Longs> items = ReadLongs(display, window, property, type);
    return items && !items->empty() ? items->front() : fallback;
}

void WriteLongs(Display* display, Window window, Atom property, Atom type, const Longs& items) {
    XChangeProperty(display, window, property, type, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(items.data()),
                    static_cast<int>(items.size()));
}

void SendToRoot(Display* display, Window about, Atom message, const std::array<long, 5>& data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = about;
    event.xclient.message_type = message;
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size(); ++i) event.xclient.data.l[i] = data[i];
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace brumelis::x11
