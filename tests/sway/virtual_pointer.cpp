// The pointer of the sway suites. Headless sway has no input device, so its
// seat has no pointer and nothing reaches a client; a wlroots virtual
// pointer, kept connected for as long as this program runs, gives the seat
// one. Reads commands on its input, one a line, and answers "ok" once sway
// has handled each (a round trip after the request):
//   move X Y      the pointer to the layout's point (X, Y)
//   press N       button N down (1 left, 2 middle, 3 right)
//   release N     button N up
//   quit          (or the end of the input) disconnects and ends
// Usage: brumelis_virtual_pointer LAYOUT_WIDTH LAYOUT_HEIGHT
#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    auto& globals = *static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals.seat == nullptr) {
        globals.seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
        globals.manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
}

void OnGlobalRemoved(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener kRegistryListener{&OnGlobal, &OnGlobalRemoved};

std::uint32_t Now() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// X numbers the buttons 1 left, 2 middle, 3 right; evdev has codes.
std::uint32_t ButtonCode(int button) {
    switch (button) {
        case 2: return BTN_MIDDLE;
        case 3: return BTN_RIGHT;
        default: return BTN_LEFT;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LAYOUT_WIDTH LAYOUT_HEIGHT\n", argv[0]);
        return 2;
    }
    const auto width = static_cast<std::uint32_t>(std::stoul(argv[1]));
    const auto height = static_cast<std::uint32_t>(std::stoul(argv[2]));
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "virtual pointer: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.manager == nullptr) {
        std::fprintf(stderr, "virtual pointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
    if (wl_display_roundtrip(display) < 0) return 1;
    std::cout << "ready" << std::endl;

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        long x = 0, y = 0;
        int button = 1;
        if (command == "move" && (words >> x >> y) && x >= 0 && y >= 0) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, Now(), static_cast<std::uint32_t>(x),
                                                    static_cast<std::uint32_t>(y), width, height);
        } else if ((command == "press" || command == "release") && (words >> button)) {
            zwlr_virtual_pointer_v1_button(pointer, Now(), ButtonCode(button),
                                           command == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                                              : WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (command == "quit") {
            break;
        } else {
            std::cout << "error: " << line << std::endl;
            continue;
        }
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0) {
            std::fprintf(stderr, "virtual pointer: the compositor went away\n");
            return 1;
        }
        std::cout << "ok" << std::endl;
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
