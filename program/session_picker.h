// Which desktop backend the Linux program runs on, decided from the session
// in one place. Each backend is a row of an ordered table (program/desktops.h):
// a detection that says whether the session is one it serves and whether it
// can run there, and a start. The first that can run is picked.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/core_types.h"

namespace brumelis {

// The environment variables that name the session, each empty when unset.
struct SessionEnvironment {
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY
    std::string sessionType;     // XDG_SESSION_TYPE
    std::string swaySocket;      // SWAYSOCK: sway's IPC socket
    // XDG_CURRENT_DESKTOP: the desktop's names, ":" between
    std::string currentDesktop = {};
    std::string runtimeDirectory = {};  // XDG_RUNTIME_DIR

    static SessionEnvironment FromProcess();
    // Xwayland gives a Wayland session a DISPLAY too: these say Wayland first.
    bool IsWayland() const;
    // Whether XDG_CURRENT_DESKTOP lists `name` ("KDE", "GNOME", "sway").
    bool NamesDesktop(const std::string& name) const;
};

// What a backend says of the session it is asked about.
struct Fit {
    enum class Kind {
        Runs,            // it serves this session and can run in it
        NotThisSession,  // another kind of session: ask the next backend
        NotReadyYet,     // its kind of session, still starting (a program started with
                         // the session races its desktop): ask again a little later
        CannotRun,       // its kind of session, but something it needs is missing
    };
    Kind kind;
    Text why;  // CannotRun, NotReadyYet: what to tell the user (if it stays so)

    static Fit Runs() { return {Kind::Runs, {}}; }
    static Fit NotThisSession() { return {Kind::NotThisSession, {}}; }
    static Fit NotReadyYet(Text why) { return {Kind::NotReadyYet, std::move(why)}; }
    static Fit CannotRun(Text why) { return {Kind::CannotRun, std::move(why)}; }
};

struct DesktopBackend {
    const char* name;
    Fit (*detect)(const SessionEnvironment& session);
    // Starts the toolbar on this desktop, in the session detection was
    // given, and returns the exit status. May throw what the toolkit throws
    // when the system refuses a window.
    int (*run)(const SessionEnvironment& session, int& argc, char**& argv);
};

struct BackendChoice {
    const DesktopBackend* backend;  // null when none can run
    Text problem;                   // then: what to tell the user
    bool worthWaiting = false;      // then: the desktop is still starting
};

// The first backend that runs, unless a backend before it claims the session
// but is not ready yet; else the first one's reason it cannot; else, when no
// backend serves the session, a message naming the desktops that work.
BackendChoice PickBackend(const std::vector<DesktopBackend>& backends,
                          const SessionEnvironment& session);
// The choice points into the list, so a temporary list would leave it dangling.
BackendChoice PickBackend(std::vector<DesktopBackend>&& backends,
                          const SessionEnvironment& session) = delete;

// PickBackend, asked again every `interval` while the desktop is still
// starting, until `patience` has passed; then its last answer. `sleep` is
// given so that tests need no clock.
BackendChoice AwaitBackend(const std::vector<DesktopBackend>& backends,
                           const SessionEnvironment& session, std::chrono::milliseconds patience,
                           std::chrono::milliseconds interval,
                           const std::function<void(std::chrono::milliseconds)>& sleep);
BackendChoice AwaitBackend(std::vector<DesktopBackend>&& backends,
                           const SessionEnvironment& session, std::chrono::milliseconds patience,
                           std::chrono::milliseconds interval,
                           const std::function<void(std::chrono::milliseconds)>& sleep) = delete;

}  // namespace brumelis
