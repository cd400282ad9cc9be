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

}  // namespace brumelis::texts
