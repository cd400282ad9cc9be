// Integer arithmetic of fixed width whose overflow is a failure, not a wrap.
#pragma once

#include <cstdint>

#include "base/core_types.h"

namespace brumelis {

std::int32_t CheckedMultiply32(std::int32_t a, std::int32_t b, const Text& source);
std::int16_t CheckedNarrow16(std::int64_t value, const Text& source);
std::int16_t CheckedAdd16(std::int16_t a, std::int16_t b, const Text& source);

}  // namespace brumelis
