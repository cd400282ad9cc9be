// Helpers of scripts/measure-linux-cost.sh, over Xlib only:
//
//   brumelis_x11_cost_probe move WINDOW SECONDS
//       moves the client window by a pixel every 16 ms, back and forth,
//       for SECONDS; prints "ready" once it starts
//   brumelis_x11_cost_probe startup TITLE COUNT PROGRAM
//       starts PROGRAM COUNT times, each time measuring the time until a
//       window of its own titled TITLE is viewable, then ends it; prints
//       every time and "median: N ms"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

bool HasTitle(Display* display, Window window, const std::string& title) {
    char* name = nullptr;
    const bool match = XFetchName(display, window, &name) != 0 && name != nullptr && title == name;
    if (name != nullptr) XFree(name);
    return match;
}

bool Shows(Display* display, Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

// A viewable window with the title among the root's children and theirs
// (a window manager's frame holds the client one level down).
bool TitledWindowShows(Display* display, Window parent, const std::string& title, int depth) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) == 0) return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i) {
        found = (HasTitle(display, children[i], title) && Shows(display, children[i])) ||
                (depth > 0 && TitledWindowShows(display, children[i], title, depth - 1));
    }
    if (children != nullptr) XFree(children);
    return found;
}

int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

int Move(Display* display, Window window, int seconds) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) return 1;
    Window child = 0;
    int x = 0, y = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    std::printf("ready\n");
    std::fflush(stdout);
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    for (int step = 0; Clock::now() < end; ++step) {
        XMoveWindow(display, window, x + (step % 40 < 20 ? step % 20 : 20 - step % 20), y);
        XFlush(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(16));
    }
    return 0;
}

int Startup(Display* display, const std::string& title, int count, char* program) {
    std::vector<double> times;
    for (int run = 0; run < count; ++run) {
        char* argv[] = {program, nullptr};
        pid_t pid = 0;
        const auto start = Clock::now();
        if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0) return 1;
        bool shown = false;
        while (!shown && Clock::now() - start < std::chrono::seconds(20)) {
            shown = TitledWindowShows(display, DefaultRootWindow(display), title, 2);
            if (!shown) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        // The next copy must not meet this one's windows.
        while (TitledWindowShows(display, DefaultRootWindow(display), title, 2))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (!shown) return 1;
        times.push_back(ms);
        std::printf("start %d: %.0f ms\n", run + 1, ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("median: %.0f ms\n", (times[times.size() / 2] + times[(times.size() - 1) / 2]) / 2);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 2;
    XSetErrorHandler(&IgnoreErrors);
    if (argc == 4 && std::strcmp(argv[1], "move") == 0) {
        return Move(display, std::strtoul(argv[2], nullptr, 0), std::atoi(argv[3]));
    }
    if (argc == 5 && std::strcmp(argv[1], "startup") == 0) {
        return Startup(display, argv[2], std::atoi(argv[3]), argv[4]);
    }
    std::fprintf(stderr, "usage: move WINDOW SECONDS | startup TITLE COUNT PROGRAM\n");
    return 2;
}
