// Twips and pixels where the toolkits meet their native windows: 15 twips a
// pixel.
#pragma once

#include <cmath>

#include "base/core_types.h"

namespace brumelis {

// In double: the last pixels before 32-bit twips overflow, read back from a
// window placed from single-precision twips, would overflow an int.
inline Twips ToTwips(int pixels) {
    return static_cast<Twips>(static_cast<double>(pixels) * kTwipsPerPixel);
}

// Twips that fall between two pixels go to the nearer one.
inline int ToPixels(Twips twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

}  // namespace brumelis
