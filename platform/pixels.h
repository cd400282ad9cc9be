// Twips and pixels where the toolkits meet their native windows: 15 twips a
// pixel.
#pragma once

#include <cmath>

#include "base/core_types.h"

namespace brumelis {

inline Twips ToTwips(int pixels) {
    return static_cast<Twips>(pixels * kTwipsPerPixel);
}

// Twips that fall between two pixels go to the nearer one.
inline int ToPixels(Twips twips) {
    return static_cast<int>(std::lround(twips / static_cast<Twips>(kTwipsPerPixel)));
}

}  // namespace brumelis
