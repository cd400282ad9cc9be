// Portable types shared by the core, the platform interfaces and their backends.
#pragma once

#include <cstdint>
#include <string>

namespace brumelis {

// Counted 16-bit characters: positions, lengths and "drop the last character"
// all count in this unit.
using Text = std::u16string;

// A top-level window of the desktop; 0 means none. Win64 handles fit in 32 bits.
using WindowHandle = std::int32_t;

// Screen rectangle in pixels.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const ScreenRect& a, const ScreenRect& b) {
    return !(a == b);
}

// All toolbar geometry is in twips, single precision.
using Twips = float;
constexpr std::int32_t kTwipsPerPixel = 15;

}  // namespace brumelis
