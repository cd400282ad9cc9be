#include "platform/x11/x11_atoms.h"

#include <array>

namespace brumelis::x11 {

Atoms::Atoms(Display* display) {
    std::array<char*, 13> names = {
        const_cast<char*>("_NET_ACTIVE_WINDOW"),
        const_cast<char*>("_NET_CLIENT_LIST"),
        const_cast<char*>("_NET_FRAME_EXTENTS"),
        const_cast<char*>("_NET_RESTACK_WINDOW"),
        const_cast<char*>("_NET_SUPPORTING_WM_CHECK"),
        const_cast<char*>("_NET_WM_NAME"),
        const_cast<char*>("_NET_WM_STATE"),
        const_cast<char*>("_NET_WM_STATE_ABOVE"),
        const_cast<char*>("_NET_WM_USER_TIME"),
        const_cast<char*>("_NET_WM_WINDOW_OPACITY"),
        const_cast<char*>("UTF8_STRING"),
        const_cast<char*>("WM_STATE"),
        const_cast<char*>("_BRUMELIS_EXTENDED_STYLE"),
    };
    std::array<Atom, 13> atoms{};
    XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data());
    netActiveWindow = atoms[0];
    netClientList = atoms[1];
    netFrameExtents = atoms[2];
    netRestackWindow = atoms[3];
    netSupportingWmCheck = atoms[4];
    netWmName = atoms[5];
    netWmState = atoms[6];
    netWmStateAbove = atoms[7];
    netWmUserTime = atoms[8];
    netWmWindowOpacity = atoms[9];
    utf8String = atoms[10];
    wmState = atoms[11];
    extendedStyle = atoms[12];
}

}  // namespace brumelis::x11
