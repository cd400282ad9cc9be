#include "platform/x11/x11_tree.h"

#include "platform/x11/x11_errors.h"

namespace brumelis::x11 {

Ancestry AncestryOf(Display* display, Window window) {
    const ErrorTrap trap(display);
    Ancestry found;
    for (Window current = window;;) {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        const Status status = XQueryTree(display, current, &root, &parent, &children, &count);
        if (children != nullptr) XFree(children);
        if (status == 0 || trap.Seen() || parent == None) return Ancestry{};
        if (found.parent == None) found.parent = parent;
        if (parent == root) {
            found.topLevel = current;
            return found;
        }
        current = parent;
    }
}

}  // namespace brumelis::x11
