// The top-level window list of the instance check: every child of the root,
// topmost first, mapped or not, override-redirect ones included, with a
// window manager's frame standing for the client inside it. Titles come from
// _NET_WM_NAME (UTF-8), else WM_NAME. The walk runs once per start: it asks
// the server every time instead of keeping a cache.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <map>

#include "platform/x11/utf8_text.h"
#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_window_system.h"

namespace brumelis {

namespace {

// Far longer than any title the instance check compares.
constexpr long kMaxTitleBytes = 4096;

std::optional<std::string> ReadUtf8Name(Display* display, Window window, Atom property, Atom utf8) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, kMaxTitleBytes / 4, False, utf8, &type,
                           &format, &count, &remaining, &data) != Success) {
        return std::nullopt;
    }
    std::optional<std::string> name;
    if (data != nullptr && type == utf8 && format == 8) {
        name.emplace(reinterpret_cast<const char*>(data), count);
    }
    if (data != nullptr) XFree(data);
    return name;
}

// WM_NAME in whatever encoding it was stored (STRING is Latin-1, or
// COMPOUND_TEXT), as UTF-8.
std::optional<std::string> ReadLegacyName(Display* display, Window window) {
    XTextProperty property{};
    if (XGetWMName(display, window, &property) == 0) return std::nullopt;
    std::optional<std::string> name;
    char** list = nullptr;
    int count = 0;
    if (property.value != nullptr &&
        Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success &&
        list != nullptr) {
        name.emplace();
        for (int i = 0; i < count; ++i) name->append(list[i]);
        XFreeStringList(list);
    }
    if (property.value != nullptr) XFree(property.value);
    return name;
}

}  // namespace

std::vector<Window> X11WindowSystem::StackingTopFirst() {
    x11::ErrorTrap trap(display_);
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, root_, &root, &parent, &children, &count) == 0) return {};
    std::vector<Window> order(children, children + count);
    if (children != nullptr) XFree(children);
    std::reverse(order.begin(), order.end());  // the server lists bottom first

    // Which client each frame holds: a client that vanishes meanwhile
    // has no frame to stand for.
    std::map<Window, Window> clientOfFrame;
    const std::optional<x11::Longs> clients =
        x11::ReadLongs(display_, root_, atoms_->netClientList, XA_WINDOW);
    for (const unsigned long client : clients.value_or(x11::Longs{})) {
        const Window frame = TopLevelOf(client);
        if (frame != None && frame != client) clientOfFrame[frame] = client;
    }
    for (Window& window : order) {
        const auto client = clientOfFrame.find(window);
        if (client != clientOfFrame.end()) window = client->second;
    }
    return order;
}

WindowHandle X11WindowSystem::TopWindow(WindowHandle handle) {
    if (handle <= 0 || TopLevelOf(static_cast<Window>(handle)) == None) return 0;
    walk_ = StackingTopFirst();
    return walk_.empty() ? 0 : static_cast<WindowHandle>(walk_.front());
}

WindowHandle X11WindowSystem::WindowBelow(WindowHandle handle) {
    if (handle <= 0) return 0;
    const auto window = static_cast<Window>(handle);
    // A walk goes on over the list it started with, so a window that
    // vanishes under it does not cut it short; a window the list does not
    // know is looked for in a fresh one.
    auto at = std::find(walk_.begin(), walk_.end(), window);
    if (at == walk_.end()) {
        walk_ = StackingTopFirst();
        at = std::find(walk_.begin(), walk_.end(), window);
        if (at == walk_.end()) return 0;
    }
    ++at;
    return at == walk_.end() ? 0 : static_cast<WindowHandle>(*at);
}

std::optional<Text> X11WindowSystem::Title(WindowHandle handle, std::size_t maxLength) {
    if (handle <= 0) return std::nullopt;
    const auto window = static_cast<Window>(handle);
    x11::ErrorTrap trap(display_);
    std::optional<std::string> utf8 =
        ReadUtf8Name(display_, window, atoms_->netWmName, atoms_->utf8String);
    if (!utf8 && !trap.Seen()) utf8 = ReadLegacyName(display_, window);
    if (trap.Seen()) return std::nullopt;  // the window is gone
    Text title = TextFromUtf8(utf8.value_or(std::string()));
    if (title.size() > maxLength) title.resize(maxLength);
    return title;
}

}  // namespace brumelis
