#include "base/number_text.h"

#include <cstring>
#include <limits>

#include "base/exact_decimal.h"

namespace brumelis {

namespace {

// Largest significant digit count that matters when reading: a double's
// midpoints have at most 767, so a non-zero tail beyond can only tip a tie.
constexpr std::size_t kReadDigits = 780;

constexpr int kSingleFractionBits = 23;
constexpr int kDoubleFractionBits = 52;

// A positive finite binary value's mantissa, exponent, and its neighbours'
// midpoints, which bound the decimals that read back as it.
struct Neighbourhood {
    std::uint64_t mantissa;
    int exponent;
    Decimal below;
    Decimal above;
};

template <int kFractionBits, int kMinExponent>
Neighbourhood NeighbourhoodOf(std::uint64_t bits) {
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << kFractionBits) - 1);
    const std::uint64_t biased = bits >> kFractionBits;
    Neighbourhood n{};
    n.mantissa = biased == 0 ? fraction : fraction | (std::uint64_t{1} << kFractionBits);
    n.exponent = biased == 0 ? kMinExponent : static_cast<int>(biased) - 1 + kMinExponent;
    n.above = ExactDecimal(2 * n.mantissa + 1, n.exponent - 1);
    // At the bottom of a binade the value below is half as far away.
    n.below = fraction == 0 && biased > 1 ? ExactDecimal(4 * n.mantissa - 1, n.exponent - 2)
                                          : ExactDecimal(2 * n.mantissa - 1, n.exponent - 1);
    return n;
}

// Where a decimal falls against a value's neighbourhood: -1 it reads as a
// lower value, 0 as this one, 1 as a higher one (ties go to the even mantissa).
int ReadsAs(const Decimal& decimal, const Neighbourhood& n) {
    const bool even = n.mantissa % 2 == 0;
    const int above = CompareDecimals(decimal, n.above);
    if (above > 0 || (above == 0 && !even)) return 1;
    const int below = CompareDecimals(decimal, n.below);
    if (below < 0 || (below == 0 && !even)) return -1;
    return 0;
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::uint64_t BitsOf(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A first guess within a few units in the last place, from the leading
// digits in extended precision; the exact walk below settles the last bit.
double Estimate(const Decimal& decimal) {
    long double digits = 0;
    const std::size_t used = decimal.digits.size() < 19 ? decimal.digits.size() : 19;
    for (std::size_t i = 0; i < used; ++i) digits = digits * 10 + decimal.digits[i];
    int power = decimal.exponent - static_cast<int>(used);
    long double scale = 10;
    long double factor = 1;
    for (int p = power < 0 ? -power : power; p != 0; p >>= 1, scale *= scale)
        if (p & 1) factor *= scale;
    return static_cast<double>(power < 0 ? digits / factor : digits * factor);
}

double NearestDouble(const Decimal& decimal) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    if (decimal.IsZero() || decimal.exponent < -324) return 0.0;
    if (decimal.exponent > 310) return kInfinity;
    // Up to 15 digits times a power of ten up to 10^22: both exact in a
    // double, so one multiplication or division rounds correctly.
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int power = decimal.exponent - static_cast<int>(decimal.digits.size());
    if (decimal.digits.size() <= 15 && power >= -22 && power <= 22) {
        double digits = 0;
        for (std::uint8_t d : decimal.digits) digits = digits * 10 + d;
        return power < 0 ? digits / kPowersOfTen[-power] : digits * kPowersOfTen[power];
    }
    const std::uint64_t kLargest = BitsOf(std::numeric_limits<double>::max());
    const double estimate = Estimate(decimal);
    std::uint64_t bits = BitsOf(estimate);
    if (estimate == 0) bits = 1;
    if (estimate > std::numeric_limits<double>::max()) bits = kLargest;
    for (;;) {
        const int direction = ReadsAs(decimal, NeighbourhoodOf<kDoubleFractionBits, -1074>(bits));
        if (direction == 0) return FromBits(bits);
        if (direction > 0 && bits == kLargest) return kInfinity;
        if (direction < 0 && bits == 1) return 0.0;
        bits = direction > 0 ? bits + 1 : bits - 1;
    }
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// %g at a precision: scientific below 1E-4 and from 10^precision on.
Text GeneralNotation(const Decimal& value, int precision) {
    Text text;
    auto digit = [&](std::size_t i) {
        return static_cast<char16_t>(u'0' + (i < value.digits.size() ? value.digits[i] : 0));
    };
    const int power = value.exponent - 1;
    if (power < -4 || power >= precision) {
        text += digit(0);
        if (value.digits.size() > 1) {
            text += u'.';
            for (std::size_t i = 1; i < value.digits.size(); ++i) text += digit(i);
        }
        text += power < 0 ? u"E-" : u"E+";
        const int magnitude = power < 0 ? -power : power;
        if (magnitude < 10) text += u'0';
        text += IntegerText(magnitude);
        return text;
    }
    if (power < 0) {
        text = u"0.";
        text.append(static_cast<std::size_t>(-power - 1), u'0');
        for (std::size_t i = 0; i < value.digits.size(); ++i) text += digit(i);
        return text;
    }
    const std::size_t whole = static_cast<std::size_t>(power) + 1;
    for (std::size_t i = 0; i < whole; ++i) text += digit(i);
    if (value.digits.size() > whole) {
        text += u'.';
        for (std::size_t i = whole; i < value.digits.size(); ++i) text += digit(i);
    }
    return text;
}

}  // namespace

Text IntegerText(std::int64_t value) {
    char16_t buffer[24];
    char16_t* start = buffer + 24;
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        *--start = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--start = u'-';
    return Text(start, buffer + 24);
}

Text SingleText(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const Text sign = bits >> 31 ? u"-" : u"";
    bits &= 0x7FFFFFFF;
    if (bits == 0) return sign + u"0";
    if (bits == 0x7F800000) return sign + u"inf";
    const Neighbourhood n = NeighbourhoodOf<kSingleFractionBits, -149>(bits);
    const Decimal exact = ExactDecimal(n.mantissa, n.exponent);
    constexpr int kMaxPrecision = 9;  // always enough for a single
    for (int precision = 1;; ++precision) {
        const Decimal rounded = RoundToSignificant(exact, precision);
        if (precision == kMaxPrecision || ReadsAs(rounded, n) == 0)
            return sign + GeneralNotation(rounded, precision);
    }
}

std::optional<double> ParseDecimalNumber(std::u16string_view text) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
    Decimal decimal;
    bool anyDigit = false;
    bool afterPoint = false;
    bool sticky = false;  // a non-zero digit beyond those kept
    for (; i < text.size(); ++i) {
        if (text[i] == u'.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!IsDigit(text[i])) break;
        anyDigit = true;
        const auto digit = static_cast<std::uint8_t>(text[i] - u'0');
        if (decimal.digits.empty() && digit == 0) {
            if (afterPoint) --decimal.exponent;  // 0.0...: the point moves right
            continue;
        }
        if (!afterPoint) ++decimal.exponent;
        if (decimal.digits.size() < kReadDigits)
            decimal.digits.push_back(digit);
        else if (digit != 0)
            sticky = true;
    }
    if (!anyDigit) return std::nullopt;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        const bool negativePower = i < text.size() && text[i] == u'-';
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
        if (i == text.size() || !IsDigit(text[i])) return std::nullopt;
        int power = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            if (power < 100000) power = power * 10 + (text[i] - u'0');
        decimal.exponent += negativePower ? -power : power;
    }
    if (i != text.size()) return std::nullopt;
    if (sticky) decimal.digits.push_back(1);
    Normalize(decimal);
    const double magnitude = NearestDouble(decimal);
    return negative ? -magnitude : magnitude;
}

}  // namespace brumelis
