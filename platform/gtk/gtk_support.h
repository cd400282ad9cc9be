// Small helpers of the GTK backend: twips and pixels, and GTK's texts.
#pragma once

#include <cmath>

#include "base/core_types.h"
#include "platform/x11/utf8_text.h"

namespace brumelis {

inline Twips ToTwips(int pixels) {
    return static_cast<Twips>(pixels * kTwipsPerPixel);
}
// Twips that fall between two pixels go to the nearer one, as on Windows.
inline int ToPixels(Twips twips) {
    return static_cast<int>(std::lround(twips / static_cast<Twips>(kTwipsPerPixel)));
}

// GTK's texts may be null: that is the empty text.
inline Text TextOfUtf8(const char* utf8) {
    return utf8 == nullptr ? Text() : TextFromUtf8(utf8);
}

}  // namespace brumelis
