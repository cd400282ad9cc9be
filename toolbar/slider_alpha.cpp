#include "toolbar/slider_alpha.h"

#include <algorithm>
#include <cmath>

namespace brumelis {

std::optional<std::uint8_t> SliderAlpha(Twips height, Twips y) {
    if (height == 0) return std::nullopt;
    const auto alpha = static_cast<float>((static_cast<double>(height) - y) / height * 255.0);
    if (std::isnan(alpha)) return std::nullopt;
    // The default rounding mode rounds halves to the even neighbour.
    return static_cast<std::uint8_t>(std::nearbyint(std::clamp(alpha, 0.0f, 255.0f)));
}

std::optional<std::uint8_t> SliderStepAlpha(Twips height, std::uint8_t current, bool down) {
    constexpr int kSteps = 10;
    std::optional<std::uint8_t> nearest;
    for (int step = 0; step <= kSteps; ++step) {
        const std::optional<std::uint8_t> alpha =
            SliderAlpha(height, height * static_cast<Twips>(step) / kSteps);
        if (!alpha) return std::nullopt;
        const bool beyond = down ? *alpha < current : *alpha > current;
        const bool nearer = !nearest || (down ? *alpha > *nearest : *alpha < *nearest);
        if (beyond && nearer) nearest = alpha;
    }
    return nearest;
}

}  // namespace brumelis
