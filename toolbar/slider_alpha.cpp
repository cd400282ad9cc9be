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

}  // namespace brumelis
