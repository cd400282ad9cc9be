#include "base/exact_decimal.h"

#include <algorithm>

namespace brumelis {

namespace {

// An unsigned integer of any size, least significant 32-bit limb first.
class BigNumber {
public:
    explicit BigNumber(std::uint64_t value) {
        for (; value != 0; value >>= 32) limbs_.push_back(static_cast<std::uint32_t>(value));
    }

    bool IsZero() const { return limbs_.empty(); }

    void MultiplyBy(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            carry += static_cast<std::uint64_t>(limb) * factor;
            limb = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0) limbs_.push_back(static_cast<std::uint32_t>(carry));
    }

    void MultiplyByPowerOfFive(int power) {
        constexpr std::uint32_t kFiveToThe13th = 1220703125;
        for (; power >= 13; power -= 13) MultiplyBy(kFiveToThe13th);
        std::uint32_t rest = 1;
        for (; power > 0; --power) rest *= 5;
        MultiplyBy(rest);
    }

    void ShiftLeft(int bits) {
        if (IsZero()) return;
        limbs_.insert(limbs_.begin(), static_cast<std::size_t>(bits / 32), 0u);
        const int within = bits % 32;
        if (within == 0) return;
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint32_t next = limb >> (32 - within);
            limb = (limb << within) | carry;
            carry = next;
        }
        if (carry != 0) limbs_.push_back(carry);
    }

    // Divides in place and returns the remainder.
    std::uint32_t DivideBy(std::uint32_t divisor) {
        std::uint64_t remainder = 0;
        for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
            const std::uint64_t current = (remainder << 32) | *limb;
            *limb = static_cast<std::uint32_t>(current / divisor);
            remainder = current % divisor;
        }
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
        return static_cast<std::uint32_t>(remainder);
    }

private:
    std::vector<std::uint32_t> limbs_;
};

// The decimal digits of an integer, most significant first.
std::vector<std::uint8_t> DigitsOf(BigNumber number) {
    constexpr std::uint32_t kChunk = 1000000000;
    std::vector<std::uint8_t> reversed;
    while (!number.IsZero()) {
        std::uint32_t chunk = number.DivideBy(kChunk);
        for (int i = 0; i < 9; ++i, chunk /= 10)
            reversed.push_back(static_cast<std::uint8_t>(chunk % 10));
    }
    return std::vector<std::uint8_t>(reversed.rbegin(), reversed.rend());
}

}  // namespace

void Normalize(Decimal& value) {
    auto first = std::find_if(value.digits.begin(), value.digits.end(),
                              [](std::uint8_t d) { return d != 0; });
    value.exponent -= static_cast<int>(first - value.digits.begin());
    value.digits.erase(value.digits.begin(), first);
    while (!value.digits.empty() && value.digits.back() == 0) value.digits.pop_back();
    if (value.digits.empty()) value.exponent = 0;
}

Decimal ExactDecimal(std::uint64_t mantissa, int binaryExponent) {
    // m x 2^-n is m x 5^n / 10^n: the digits of m x 5^n, the point n places left.
    BigNumber number(mantissa);
    int pointShift = 0;
    if (binaryExponent >= 0) {
        number.ShiftLeft(binaryExponent);
    } else {
        number.MultiplyByPowerOfFive(-binaryExponent);
        pointShift = binaryExponent;
    }
    Decimal value;
    value.digits = DigitsOf(number);
    value.exponent = static_cast<int>(value.digits.size()) + pointShift;
    Normalize(value);
    return value;
}

int CompareDecimals(const Decimal& a, const Decimal& b) {
    if (a.IsZero() || b.IsZero()) return a.IsZero() == b.IsZero() ? 0 : (a.IsZero() ? -1 : 1);
    if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
    if (std::lexicographical_compare(a.digits.begin(), a.digits.end(), b.digits.begin(),
                                     b.digits.end()))
        return -1;
    return a.digits == b.digits ? 0 : 1;
}

Decimal RoundToSignificant(const Decimal& value, int significant) {
    const std::size_t kept = static_cast<std::size_t>(significant);
    if (value.digits.size() <= kept) return value;
    Decimal rounded{std::vector<std::uint8_t>(value.digits.begin(), value.digits.begin() + kept),
                    value.exponent};
    const std::uint8_t first = value.digits[kept];
    // Normalized digits end in a non-zero one: anything after the first
    // dropped digit makes it more than a half.
    const bool moreThanHalf = first > 5 || (first == 5 && value.digits.size() > kept + 1);
    const bool half = first == 5 && !moreThanHalf;
    const bool odd = kept > 0 && rounded.digits.back() % 2 == 1;
    if (moreThanHalf || (half && odd)) {
        std::size_t i = kept;
        while (i > 0 && rounded.digits[i - 1] == 9) rounded.digits[--i] = 0;
        if (i == 0) {
            rounded.digits.insert(rounded.digits.begin(), 1);
            rounded.digits.pop_back();
            ++rounded.exponent;
        } else {
            ++rounded.digits[i - 1];
        }
    }
    Normalize(rounded);
    return rounded;
}

}  // namespace brumelis
