// The Linux program: its command line, then the desktop backend the session
// calls for, wired into the toolbar window.
#include <gtk/gtk.h>

#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "platform/gtk/gtk_message_box.h"
#include "platform/gtk/gtk_support.h"
#include "program/autostart_entry.h"
#include "program/command_line.h"
#include "program/desktop_start.h"
#include "program/gnome_desktop.h"
#include "program/kwin_desktop.h"
#include "program/session_picker.h"
#include "program/sway_desktop.h"
#include "program/x11_desktop.h"
#include "toolbar/toolbar_layout.h"

namespace {

// The desktops the program knows, in the order they are asked. The Wayland
// backends go before X11, each proving its own compositor (sway: $SWAYSOCK
// answers; KWin: org.kde.KWin on the session bus; GNOME: org.gnome.Shell on
// the session bus); X11 serves every session that is not Wayland.
std::vector<brumelis::DesktopBackend> Desktops() {
    return {brumelis::SwayDesktop(), brumelis::KWinDesktop(), brumelis::GnomeDesktop(),
            brumelis::X11Desktop()};
}

// What --help and --version print; a write that fails (a full disk, a
// closed pipe) fails the program, as it would any GNU one.
int Print(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
}

// A program started with the session may start before its desktop: a log-in
// on a slow disk takes seconds, so wait that long, quietly, before giving up.
constexpr std::chrono::milliseconds kDesktopStartPatience{30000};
constexpr std::chrono::milliseconds kDesktopStartInterval{250};

// The running program's own path, as the autostart entry names it: the file
// itself, replaced by an upgrade or not.
std::string ProgramPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "brumelis";
    std::string program(path, static_cast<std::size_t>(length));
    const std::string deleted = " (deleted)";
    if (program.size() > deleted.size() &&
        program.compare(program.size() - deleted.size(), deleted.size(), deleted) == 0) {
        program.resize(program.size() - deleted.size());
    }
    return program;
}

int TurnAutostart(bool on) {
    // The system's own error texts, in the user's language.
    std::setlocale(LC_ALL, "");
    const std::string path = brumelis::AutostartPath(brumelis::SessionVariable("XDG_CONFIG_HOME"),
                                                     brumelis::SessionVariable("HOME"));
    if (path.empty()) {
        std::fputs(
            "brumelis: ni XDG_CONFIG_HOME ni HOME ne nomment un dossier : impossible de "
            "trouver le dossier des programmes démarrés à l'ouverture de session.\n",
            stderr);
        return 1;
    }
    const brumelis::AutostartOutcome outcome =
        on ? brumelis::TurnAutostartOn(path, ProgramPath()) : brumelis::TurnAutostartOff(path);
    if (!outcome.done) {
        std::fputs(outcome.message.c_str(), stderr);
        return 1;
    }
    return Print(outcome.message);
}

// On the terminal, and in a box where GTK can open one (under Wayland it
// may, through the Wayland backend, for this box alone).
int Refuse(const brumelis::Text& message, int& argc, char**& argv) {
    std::fprintf(stderr, "brumelis: %s\n", brumelis::Utf8FromText(message).c_str());
    if (gtk_init_check(&argc, &argv)) {
        brumelis::RunMessageBox(message, brumelis::MessageButtons::Ok,
                                brumelis::ToolbarLayout().applicationTitle, nullptr);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace brumelis;
    const CommandLine command = ReadCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    switch (command.action) {
        case CommandLine::Action::ShowHelp: return Print(HelpText());
        case CommandLine::Action::ShowVersion: return Print(VersionText());
        case CommandLine::Action::AutostartOn: return TurnAutostart(true);
        case CommandLine::Action::AutostartOff: return TurnAutostart(false);
        case CommandLine::Action::Refuse: std::fputs(command.refusal.c_str(), stderr); return 2;
        case CommandLine::Action::Run: break;
    }
    // The choice points into this list: it must outlive the run.
    const std::vector<DesktopBackend> desktops = Desktops();
    const SessionEnvironment session = SessionEnvironment::FromProcess();
    const BackendChoice choice =
        AwaitBackend(desktops, session, kDesktopStartPatience, kDesktopStartInterval,
                     [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); });
    if (choice.backend == nullptr) return Refuse(choice.problem, argc, argv);
    try {
        return choice.backend->run(session, argc, argv);
    } catch (const std::exception& failure) {
        // The toolbar could not be built (its images are compiled in, so
        // this means a broken build or a missing image loader).
        return Refuse(
            u"Brumelis ne peut pas construire sa barre d'outils : " + TextFromUtf8(failure.what()),
            argc, argv);
    }
}
