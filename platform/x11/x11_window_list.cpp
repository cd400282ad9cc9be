// The instance check's window list, over XQueryTree, _NET_CLIENT_LIST and
// the two title properties.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <map>

#include "base/utf8_text.h"
#include "platform/x11/x11_atoms.h"
#include "platform/x11/x11_errors.h"
#include "platform/x11/x11_properties.h"
#include "platform/x11/x11_tree.h"
#include "platform/x11/x11_window_list.h"

namespace brumelis::x11 {

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

// Every child of the root, topmost first, a frame standing as its client.
std::vector<Window> StackingTopFirst(Display* display, const Atoms& atoms) {
    const ErrorTrap trap(display);
    const Window rootWindow = DefaultRootWindow(display);
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, rootWindow, &root, &parent, &children, &count) == 0) return {};
    std::vector<Window> order(children, children + count);
    if (children != nullptr) XFree(children);
    std::reverse(order.begin(), order.end());  // the server lists bottom first

    // Which client each frame holds: a client that vanishes meanwhile
    // has no frame to stand for.
    std::map<Window, Window> clientOfFrame;
    const std::optional<Longs> clients =
        ReadLongs(display, rootWindow, atoms.netClientList, XA_WINDOW);
    for (const unsigned long client : clients.value_or(Longs{})) {
        const Window frame = TopLevelOf(display, client);
        if (frame != None && frame != client) clientOfFrame[frame] = client;
    }
    for (Window& window : order) {
        const auto client = clientOfFrame.find(window);
        if (client != clientOfFrame.end()) window = client->second;
    }
    return order;
}

std::optional<Text> TitleOf(Display* display, const Atoms& atoms, Window window,
                            std::size_t titleLength) {
    const ErrorTrap trap(display);
    std::optional<std::string> utf8 =
        ReadUtf8Name(display, window, atoms.netWmName, atoms.utf8String);
    if (!utf8 && !trap.Seen()) utf8 = ReadLegacyName(display, window);
    if (trap.Seen()) return std::nullopt;  // the window is gone
    return CutTitle(TextFromUtf8(utf8.value_or(std::string())), titleLength);
}

}  // namespace

// One snapshot: a window that vanishes while its title is read stays in
// the list, without a title, and cannot cut the list short.
std::vector<ListedWindow> ListTopLevelWindows(Display* display, const Atoms& atoms,
                                              std::size_t titleLength) {
    std::vector<ListedWindow> listed;
    for (const Window window : StackingTopFirst(display, atoms)) {
        listed.push_back(ListedWindow{static_cast<WindowHandle>(window),
                                      TitleOf(display, atoms, window, titleLength)});
    }
    return listed;
}

}  // namespace brumelis::x11
