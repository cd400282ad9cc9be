// A target window of another process for the X11 suites: a titled window,
// managed by the window manager unless told otherwise, placed so that its
// frame covers the rectangle asked for. It prints the window's id once the
// window is in that state. On "destroy" it destroys the window, waits until
// the server has done so and prints "gone"; on "quit" (or the end of its
// input) it ends.
//
//   brumelis_x11_target [--title=T] [--rect=L,T,R,B] [--hidden]
//                       [--override-redirect] [--decorated]
//                       [--name=both|utf8|latin1|compound|none] [--colour=N]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "tests/x11/target_options.h"

namespace {

using brumelis::x11_tests::TargetOptions;
using Clock = std::chrono::steady_clock;

constexpr auto kDeadline = std::chrono::seconds(10);

struct Target {
    Display* display;
    Window root;
    Window window;
    TargetOptions options;
};

Atom AtomOf(Display* display, const char* name) {
    return XInternAtom(display, name, False);
}

// Waits up to the deadline for an event on the connection; false at the deadline.
bool AwaitEvent(Display* display, Clock::time_point deadline) {
    while (XPending(display) == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left.count()));
    }
    return true;
}

void SetNames(const Target& t) {
    const std::string& title = t.options.title;
    const std::string& mode = t.options.name;
    if (mode == "both" || mode == "utf8") {
        XChangeProperty(t.display, t.window, AtomOf(t.display, "_NET_WM_NAME"),
                        AtomOf(t.display, "UTF8_STRING"), 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()),
                        static_cast<int>(title.size()));
    }
    if (mode == "both" || mode == "latin1" || mode == "compound") {
        char* list[] = {const_cast<char*>(title.c_str())};
        XTextProperty property{};
        const XICCEncodingStyle style = mode == "compound" ? XCompoundTextStyle : XStringStyle;
        if (Xutf8TextListToTextProperty(t.display, list, 1, style, &property) >= Success) {
            XSetWMName(t.display, t.window, &property);
            XFree(property.value);
        }
    }
}

// The frame's extents as the window manager reports them; zeros without one.
long Extents(const Target& t, int side) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    long value = 0;
    if (XGetWindowProperty(t.display, t.window, AtomOf(t.display, "_NET_FRAME_EXTENTS"), 0, 4,
                           False, XA_CARDINAL, &type, &format, &count, &remaining,
                           &data) == Success &&
        data != nullptr && count == 4) {
        value = reinterpret_cast<long*>(data)[side];
    }
    if (data != nullptr) XFree(data);
    return value;
}

bool Reparented(const Target& t) {
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(t.display, t.window, &root, &parent, &children, &count);
    if (children != nullptr) XFree(children);
    return parent != t.root;
}

bool FramePlaced(const Target& t) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(t.display, t.window, &attributes);
    if (attributes.map_state != IsViewable || !Reparented(t)) return false;
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(t.display, t.window, t.root, 0, 0, &x, &y, &child);
    const auto& r = t.options.rect;
    return x - Extents(t, 0) == r.left && y - Extents(t, 2) == r.top &&
           x + attributes.width + Extents(t, 1) == r.right &&
           y + attributes.height + Extents(t, 3) == r.bottom;
}

// Asks for the frame the window manager will give the window, so that the
// client can be sized to fill the rectangle with it.
void LearnExtents(const Target& t) {
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = t.window;
    request.xclient.message_type = AtomOf(t.display, "_NET_REQUEST_FRAME_EXTENTS");
    request.xclient.format = 32;
    XSendEvent(t.display, t.root, False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    const auto deadline = Clock::now() + kDeadline;
    XEvent event;
    while (AwaitEvent(t.display, deadline)) {
        XNextEvent(t.display, &event);
        if (event.type == PropertyNotify &&
            event.xproperty.atom == AtomOf(t.display, "_NET_FRAME_EXTENTS")) {
            return;
        }
    }
}

// Asks for the frame's corner at the rectangle's, shifted by the offset;
// answers the serial of the request that moves the window.
unsigned long PlaceClient(const Target& t, long shiftX = 0, long shiftY = 0) {
    const auto& r = t.options.rect;
    const long width = r.right - r.left - Extents(t, 0) - Extents(t, 1);
    const long height = r.bottom - r.top - Extents(t, 2) - Extents(t, 3);
    XSizeHints hints{};
    hints.flags = USPosition | USSize | PWinGravity;
    hints.x = static_cast<int>(r.left + shiftX);
    hints.y = static_cast<int>(r.top + shiftY);
    hints.width = static_cast<int>(width > 0 ? width : 1);
    hints.height = static_cast<int>(height > 0 ? height : 1);
    hints.win_gravity = NorthWestGravity;
    XSetWMNormalHints(t.display, t.window, &hints);
    const unsigned long serial = NextRequest(t.display);
    XMoveResizeWindow(t.display, t.window, hints.x, hints.y, static_cast<unsigned>(hints.width),
                      static_cast<unsigned>(hints.height));
    return serial;
}

// What the window manager reads when the window maps, whoever maps it.
void SetManagedHints(const Target& t) {
    if (!t.options.decorated) {
        const long motifHints[5] = {2, 0, 0, 0, 0};  // decorations: none
        const Atom motif = AtomOf(t.display, "_MOTIF_WM_HINTS");
        XChangeProperty(t.display, t.window, motif, motif, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(motifHints), 5);
    }
    // A user time of 0: mapped without taking the focus.
    const long userTime = 0;
    XChangeProperty(t.display, t.window, AtomOf(t.display, "_NET_WM_USER_TIME"), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&userTime), 1);
    PlaceClient(t);
}

bool MapManaged(const Target& t) {
    LearnExtents(t);
    PlaceClient(t);
    XMapWindow(t.display, t.window);
    const auto deadline = Clock::now() + kDeadline;
    // A window manager may place the window its own way, or as i3 does put
    // the client, not the frame, where asked (it ignores the gravity). Once
    // it has shown the window (its placing done) and answered the last
    // request (a configure event after it; older events tell of older
    // states), ask again, shifted by how far the frame missed; and never
    // leave with a request unanswered, which could still move the window.
    long shiftX = 0, shiftY = 0;
    unsigned long request = 0;
    bool shown = false, answered = false;
    for (int corrections = 0; !FramePlaced(t) || (corrections > 0 && !answered);) {
        XEvent event;
        if (!AwaitEvent(t.display, deadline)) return false;
        while (XPending(t.display) > 0) {
            XNextEvent(t.display, &event);
            shown = shown || event.type == MapNotify;
            answered = answered || (event.type == ConfigureNotify && event.xany.serial >= request);
        }
        if (corrections == 0) answered = shown;
        if (!answered || !Reparented(t) || FramePlaced(t) || corrections == 8) continue;
        ++corrections;
        int x = 0, y = 0;
        Window child = None;
        XTranslateCoordinates(t.display, t.window, t.root, 0, 0, &x, &y, &child);
        shiftX += t.options.rect.left - (x - Extents(t, 0));
        shiftY += t.options.rect.top - (y - Extents(t, 2));
        request = PlaceClient(t, shiftX, shiftY);
        answered = false;
    }
    return true;
}

bool MapUnmanaged(const Target& t) {
    XMapWindow(t.display, t.window);
    const auto deadline = Clock::now() + kDeadline;
    XEvent event;
    while (AwaitEvent(t.display, deadline)) {
        XNextEvent(t.display, &event);
        if (event.type == MapNotify) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    Target t{};
    if (!brumelis::x11_tests::ParseTargetOptions(argc, argv, t.options)) {
        std::cerr << "brumelis_x11_target: bad arguments\n";
        return 2;
    }
    t.display = XOpenDisplay(nullptr);
    if (t.display == nullptr) {
        std::cerr << "brumelis_x11_target: no display\n";
        return 1;
    }
    t.root = DefaultRootWindow(t.display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = t.options.overrideRedirect ? True : False;
    // A 24-bit TrueColor screen: the pixel is the colour.
    attributes.background_pixel = t.options.colour;
    attributes.event_mask = StructureNotifyMask | PropertyChangeMask;
    const auto& r = t.options.rect;
    t.window =
        XCreateWindow(t.display, t.root, r.left, r.top, static_cast<unsigned>(r.right - r.left),
                      static_cast<unsigned>(r.bottom - r.top), 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
    SetNames(t);
    if (!t.options.overrideRedirect) SetManagedHints(t);
    bool ready = true;
    if (!t.options.hidden) ready = t.options.overrideRedirect ? MapUnmanaged(t) : MapManaged(t);
    XSync(t.display, False);
    if (!ready) {
        std::cerr << "brumelis_x11_target: the window did not reach its place\n";
        return 1;
    }
    std::cout << t.window << std::endl;

    // The connection stays open after "destroy" until "quit": a new client
    // may be given the same id base, and the id would name a live window again.
    std::string line;
    bool destroyed = false;
    while (std::getline(std::cin, line) && line != "quit") {
        if (line == "destroy" && !destroyed) {
            XDestroyWindow(t.display, t.window);
            XSync(t.display, False);
            destroyed = true;
            std::cout << "gone" << std::endl;
        }
    }
    XCloseDisplay(t.display);
    return 0;
}
