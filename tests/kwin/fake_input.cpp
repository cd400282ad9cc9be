// The pointer of the KWin suites. Headless KWin has no input device; its
// fake-input protocol (org_kde_kwin_fake_input), granted only to a program
// named by a desktop file that lists the interface, moves the seat's
// pointer and presses its buttons. Reads commands on its input, one a line,
// and answers "ok" once KWin has handled each (a round trip after the
// request):
//   move X Y      the pointer to the screen's point (X, Y)
//   press N       button N down (1 left, 2 middle, 3 right)
//   release N     button N up
//   keys C...     the keys of evdev codes C... down in order, up in
//                 reverse (the seat's keyboard, version 4 of the protocol)
//   quit          (or the end of the input) disconnects and ends
// Usage: brumelis_fake_input
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "fake-input-client-protocol.h"

namespace {

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 3) {
        *static_cast<org_kde_kwin_fake_input**>(data) =
            static_cast<org_kde_kwin_fake_input*>(wl_registry_bind(
                registry, name, &org_kde_kwin_fake_input_interface, version >= 4 ? 4 : 3));
    }
}

void OnGlobalRemoved(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener{&OnGlobal, &OnGlobalRemoved};

// X numbers the buttons 1 left, 2 middle, 3 right; evdev has codes.
std::uint32_t ButtonCode(int button) {
    switch (button) {
        case 2: return BTN_MIDDLE;
        case 3: return BTN_RIGHT;
        default: return BTN_LEFT;
    }
}

}  // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "fake input: no Wayland display\n");
        return 1;
    }
    org_kde_kwin_fake_input* input = nullptr;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &input);
    wl_display_roundtrip(display);
    if (input == nullptr) {
        std::fprintf(
            stderr,
            "fake input: KWin offers no fake input (is this program named in a desktop file?)\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "brumelis tests", "end-to-end tests");
    if (wl_display_roundtrip(display) < 0) return 1;
    std::cout << "ready" << std::endl;

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        int x = 0, y = 0;
        int button = 1;
        if (command == "move" && (words >> x >> y) && x >= 0 && y >= 0) {
            org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_int(x),
                                                            wl_fixed_from_int(y));
        } else if ((command == "press" || command == "release") && (words >> button)) {
            org_kde_kwin_fake_input_button(input, ButtonCode(button),
                                           command == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                                              : WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (command == "keys" && org_kde_kwin_fake_input_get_version(input) >= 4) {
            std::vector<std::uint32_t> codes;
            for (std::uint32_t code = 0; words >> code;) codes.push_back(code);
            for (std::size_t i = 0; i < 2 * codes.size(); ++i) {
                const bool up = i >= codes.size();
                org_kde_kwin_fake_input_keyboard_key(
                    input, codes[up ? 2 * codes.size() - 1 - i : i],
                    up ? WL_KEYBOARD_KEY_STATE_RELEASED : WL_KEYBOARD_KEY_STATE_PRESSED);
            }
        } else if (command == "quit") {
            break;
        } else {
            std::cout << "error: " << line << std::endl;
            continue;
        }
        if (wl_display_roundtrip(display) < 0) {
            std::fprintf(stderr, "fake input: KWin went away\n");
            return 1;
        }
        std::cout << "ok" << std::endl;
    }
    org_kde_kwin_fake_input_destroy(input);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
