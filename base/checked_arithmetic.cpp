#include "base/checked_arithmetic.h"

#include <limits>

#include "base/failure.h"

namespace brumelis {

std::int32_t CheckedMultiply32(std::int32_t a, std::int32_t b, const Text& source) {
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    if (product > std::numeric_limits<std::int32_t>::max() ||
        product < std::numeric_limits<std::int32_t>::min())
        RaiseOverflow(source);
    return static_cast<std::int32_t>(product);
}

std::int16_t CheckedNarrow16(std::int64_t value, const Text& source) {
    if (value > std::numeric_limits<std::int16_t>::max() ||
        value < std::numeric_limits<std::int16_t>::min())
        RaiseOverflow(source);
    return static_cast<std::int16_t>(value);
}

std::int16_t CheckedAdd16(std::int16_t a, std::int16_t b, const Text& source) {
    return CheckedNarrow16(static_cast<std::int64_t>(a) + b, source);
}

}  // namespace brumelis
