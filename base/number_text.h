// Numbers to text and back, the way the toolkit writes and reads them:
// invariant (no locale), exact, and without the C library's formatting code.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/core_types.h"

namespace brumelis {

// "-123".
Text IntegerText(std::int64_t value);

// The shortest text that reads back as the same single, written as printf's
// %g would write it at that precision, with a capital E: "0.1", "1.5",
// "1E+20", "1.1754944E-38", "inf". Precondition: not a NaN.
Text SingleText(float value);

// A whole text as a number: a sign, digits with at most one '.', an optional
// exponent ("e-5", "E+05"). The nearest double, halves to even; infinite
// beyond the largest double. Nothing else is accepted: no blanks, no "inf".
std::optional<double> ParseDecimalNumber(std::u16string_view text);

}  // namespace brumelis
