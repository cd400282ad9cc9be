#include "platform/x11/x11_atoms.h"

#include <iterator>
#include <string>

namespace brumelis::x11 {

Atoms::Atoms(Display* display) {
    const std::string compositor = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display));
    const struct {
        const char* name;
        Atom Atoms::*member;
    } entries[] = {
        {"_NET_ACTIVE_WINDOW", &Atoms::netActiveWindow},
        {"_NET_CLIENT_LIST", &Atoms::netClientList},
        {"_NET_FRAME_EXTENTS", &Atoms::netFrameExtents},
        {"_NET_RESTACK_WINDOW", &Atoms::netRestackWindow},
        {"_NET_SUPPORTED", &Atoms::netSupported},
        {"_NET_WM_NAME", &Atoms::netWmName},
        {"_NET_WM_STATE", &Atoms::netWmState},
        {"_NET_WM_STATE_ABOVE", &Atoms::netWmStateAbove},
        {"_NET_WM_WINDOW_OPACITY", &Atoms::netWmWindowOpacity},
        {"UTF8_STRING", &Atoms::utf8String},
        {"WM_STATE", &Atoms::wmState},
        {compositor.c_str(), &Atoms::netWmCompositor},
    };
    constexpr int kCount = static_cast<int>(std::size(entries));
    char* names[kCount];
    Atom atoms[kCount];
    for (int i = 0; i < kCount; ++i) names[i] = const_cast<char*>(entries[i].name);
    XInternAtoms(display, names, kCount, False, atoms);
    for (int i = 0; i < kCount; ++i) this->*entries[i].member = atoms[i];
}

}  // namespace brumelis::x11
