// The toolbar's own texts, exactly as the user sees them.
#pragma once

#include "base/core_types.h"

namespace brumelis::texts {

// The window title other instances look for; the owner window bears it too.
inline const Text kCaption = u"BrumelisZOLVEC";
inline const Text kApplicationTitle = u"Brumelis";
inline const Text kAlreadyRunning = u"Brumelis est déjà lancé.";
// The maker's address is a reserved example domain.
inline const Text kPresentationTitle = u"ZOLVEC Quintrel www.zolvec.example";
inline const Text kPresentation =
    u"ZOLVEC Quintrel vous propose L'OUTIL sympathique qui permet de gérer les fenêtres de "
    u"Windows. Cliquez sur OUI pour continuer ou NON pour quitter Brumelis";
inline const Text kPinCaption = u"+";
inline const Text kUnpinCaption = u"-";
// What a screen reader says of the controls; the pin button's name is its caption.
inline const Text kRedSquareName = u"Carré rouge";
inline const Text kRedSquareDescription = u"Déplie ou replie le panneau de Brumelis.";
inline const Text kPinButtonDescription =
    u"« + » garde la fenêtre au premier plan, « - » ne l'y garde plus.";
inline const Text kPinButtonAction = u"Appuyer";
inline const Text kSliderName = u"Opacité de la fenêtre";
inline const Text kSliderDescription = u"Cliquez ou glissez : opaque en haut, transparente en bas.";
// Desktops that cannot do what was asked: said once, never claimed done.
inline const Text kCannotKeepAbove =
    u"Ce gestionnaire de fenêtres ne sait pas garder une fenêtre au-dessus des autres : "
    u"Brumelis ne peut pas l'épingler.";
// A window the system protects from other programs (on Windows, one of a
// program run as administrator): said once for each window.
inline const Text kKeepAboveRefused =
    u"Le système refuse que Brumelis garde cette fenêtre au-dessus des autres : elle "
    u"appartient à un programme lancé avec plus de droits (en tant qu'administrateur).";
inline const Text kOpacityRefused =
    u"Le système refuse que Brumelis rende cette fenêtre transparente : elle appartient à un "
    u"programme lancé avec plus de droits (en tant qu'administrateur).";
inline const Text kOpacityDrawnByItself =
    u"Cette fenêtre dessine elle-même sa transparence : Brumelis n'y touche pas, pour ne "
    u"pas l'abîmer.";
// The desktop's helper is off for a while (screen locked, GNOME extension
// disabled, KWin script or sway connection lost): nothing was changed,
// nothing is kept for later. Said on every desktop, so it names none.
inline const Text kNotPossibleNow =
    u"Brumelis ne peut pas changer cette fenêtre pour l'instant : le bureau ne le lui permet "
    u"pas en ce moment (écran verrouillé, ou lien de Brumelis avec le bureau interrompu). Rien "
    u"n'a été changé ; réessayez dans un instant.";
inline const Text kOpacityNotShown =
    u"La transparence ne se voit qu'avec un gestionnaire de composition (picom, ou celui de "
    u"votre bureau). Brumelis a réglé l'opacité de la fenêtre : elle apparaîtra dès qu'un "
    u"compositeur sera lancé.";

// Keys another program holds: the notice's first line, then one line each.
inline const Text kKeysTaken =
    u"Un autre programme utilise déjà ces raccourcis clavier ; les autres raccourcis de "
    u"Brumelis fonctionnent :";
inline const Text kUseTheMouse =
    u"ce raccourci n'est pas disponible, utilisez la souris (le bouton « + » ou le curseur).";

}  // namespace brumelis::texts
