#include "program/command_line.h"

namespace brumelis {

namespace {

struct Option {
    const char* name;
    CommandLine::Action action;
};

const Option kOptions[] = {
    {"--help", CommandLine::Action::ShowHelp},
    {"--version", CommandLine::Action::ShowVersion},
    {"--autostart", CommandLine::Action::AutostartOn},
    {"--no-autostart", CommandLine::Action::AutostartOff},
};

CommandLine Refuse(const std::string& what) {
    return {CommandLine::Action::Refuse,
            "brumelis: " + what + "\nSaisissez « brumelis --help » pour plus d'informations.\n"};
}

// A long option given whole or by a prefix that names only one (--vers).
CommandLine ReadOption(const std::string& argument) {
    const std::string::size_type equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    const Option* found = nullptr;
    for (const Option& option : kOptions) {
        if (std::string(option.name).compare(0, name.size(), name) != 0) continue;
        if (found != nullptr) return Refuse("option « " + name + " » ambiguë");
        found = &option;
    }
    if (found == nullptr) return Refuse("option non reconnue « " + argument + " »");
    if (equals != std::string::npos) {
        return Refuse("l'option « " + std::string(found->name) + " » ne prend pas d'argument");
    }
    return {found->action, {}};
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 2 && argument.compare(0, 2, "--") == 0) {
            return ReadOption(argument);
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            return Refuse("option non reconnue « " + argument + " »");
        } else {
            return Refuse("argument en trop « " + argument + " » : brumelis n'en prend aucun");
        }
    }
    return {CommandLine::Action::Run, {}};
}

std::string HelpText() {
    return "Utilisation : brumelis [OPTION]\n"
           "Affiche un carré rouge sur le coin supérieur gauche de la fenêtre active. Un clic\n"
           "le déplie en un panneau dont le bouton « + » garde cette fenêtre au premier plan\n"
           "et dont le curseur règle sa transparence.\n"
           "\n"
           "      --autostart     démarrer Brumelis à chaque ouverture de session et quitter\n"
           "      --no-autostart  ne plus le démarrer à l'ouverture de session et quitter\n"
           "      --help          afficher cette aide et quitter\n"
           "      --version       afficher la version et quitter\n"
           "\n"
           "Touches (sous X11, sway, KDE Plasma et GNOME), sur la fenêtre au premier plan :\n"
           "  Super+Ctrl+Maj+A           la garder au premier plan, ou l'en retirer\n"
           "  Super+Ctrl+Maj+Page suiv.  un cran plus transparente\n"
           "  Super+Ctrl+Maj+Page préc.  un cran moins transparente\n"
           "  Super+Ctrl+Maj+Début       opaque\n"
           "Si un autre programme en a pris une, c'est Super+Ctrl+Alt avec la même touche.\n"
           "\n"
           "Le démarrage à l'ouverture de session, désactivé par défaut, est l'entrée\n"
           "~/.config/autostart/brumelis.desktop (dans $XDG_CONFIG_HOME s'il est défini).\n"
           "Il faut une session X11 avec un gestionnaire de fenêtres compatible EWMH (Xfce,\n"
           "MATE, Cinnamon, Openbox, i3...) et, pour la transparence, un compositeur, ou une\n"
           "session Wayland sway, KDE Plasma ou GNOME (avec l'extension de Brumelis).\n"
           "Page de manuel : « man brumelis ».\n";
}

std::string VersionText() {
    return "brumelis (Brumelis) " BRUMELIS_VERSION "\nCopyright © 2026 ZOLVEC\n";
}

}  // namespace brumelis
