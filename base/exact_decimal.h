// Exact decimal expansions of binary floating-point values, and the two
// operations the number conversions build on: comparing and rounding them.
// Small on purpose: the program carries no C library formatting code.
#pragma once

#include <cstdint>
#include <vector>

namespace brumelis {

// A positive value 0.d1 d2 ... dn x 10^exponent with d1 != 0 and dn != 0;
// zero has no digits. Digits are held as their values 0 to 9.
struct Decimal {
    std::vector<std::uint8_t> digits;
    int exponent = 0;

    bool IsZero() const { return digits.empty(); }
    bool operator==(const Decimal& other) const {
        return digits == other.digits && exponent == other.exponent;
    }
};

// mantissa x 2^binaryExponent, every digit of it.
Decimal ExactDecimal(std::uint64_t mantissa, int binaryExponent);

// -1, 0 or 1 as a is below, equal to or above b.
int CompareDecimals(const Decimal& a, const Decimal& b);

// To at most `significant` digits, halves to the even digit.
Decimal RoundToSignificant(const Decimal& value, int significant);

// Drops leading zero digits (moving the exponent) and trailing ones.
void Normalize(Decimal& value);

}  // namespace brumelis
