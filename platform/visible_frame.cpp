#include "platform/visible_frame.h"

#include <cstdint>

namespace brumelis {

namespace {

// border * logical / physical, rounded to the nearest pixel; 64-bit, so any
// pair of 32-bit coordinates fits.
std::int32_t Scaled(std::int64_t border, std::int64_t logical, std::int64_t physical) {
    return static_cast<std::int32_t>((border * logical * 2 + physical) / (physical * 2));
}

}  // namespace

ScreenRect VisibleFrame(const ScreenRect& window, const ScreenRect& windowPhysical,
                        const ScreenRect& framePhysical) {
    const std::int64_t width = std::int64_t{window.right} - window.left;
    const std::int64_t height = std::int64_t{window.bottom} - window.top;
    const std::int64_t physicalWidth = std::int64_t{windowPhysical.right} - windowPhysical.left;
    const std::int64_t physicalHeight = std::int64_t{windowPhysical.bottom} - windowPhysical.top;
    const std::int64_t left = std::int64_t{framePhysical.left} - windowPhysical.left;
    const std::int64_t top = std::int64_t{framePhysical.top} - windowPhysical.top;
    const std::int64_t right = std::int64_t{windowPhysical.right} - framePhysical.right;
    const std::int64_t bottom = std::int64_t{windowPhysical.bottom} - framePhysical.bottom;
    if (width <= 0 || height <= 0 || physicalWidth <= 0 || physicalHeight <= 0 || left < 0 ||
        top < 0 || right < 0 || bottom < 0 || left + right >= physicalWidth ||
        top + bottom >= physicalHeight)
        return window;
    return ScreenRect{window.left + Scaled(left, width, physicalWidth),
                      window.top + Scaled(top, height, physicalHeight),
                      window.right - Scaled(right, width, physicalWidth),
                      window.bottom - Scaled(bottom, height, physicalHeight)};
}

}  // namespace brumelis
