// Numbers to text and back, held against the C library, which is exact here.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "base/number_text.h"

namespace brumelis {
namespace {

std::string Narrow(const Text& text) {
    return std::string(text.begin(), text.end());
}

Text Widen(const std::string& text) {
    return Text(text.begin(), text.end());
}

// The shortest round-tripping %g, as the C library writes and reads it.
std::string LibrarySingleText(float value) {
    char buffer[32];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, static_cast<double>(value));
        if (std::strtof(buffer, nullptr) == value) break;
    }
    std::string text = buffer;
    for (char& c : text)
        if (c == 'e') c = 'E';
    return text;
}

float SingleFromBits(std::uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct SingleCase {
    float value;
    const char* text;
    const char* reason;
};

class SingleTextTest : public ::testing::TestWithParam<SingleCase> {};

TEST_P(SingleTextTest, WritesTheShortestTextThatReadsBack) {
    EXPECT_EQ(Narrow(SingleText(GetParam().value)), GetParam().text) << GetParam().reason;
}

INSTANTIATE_TEST_SUITE_P(
    Values, SingleTextTest,
    ::testing::Values(
        SingleCase{0.1f, "0.1", "not exact in binary, one digit reads back"},
        SingleCase{-3.0f, "-3", "whole numbers have no point"},
        SingleCase{100.0f, "1E+02", "one digit is enough, and %g goes scientific past it"},
        SingleCase{123456.0f, "123456", "six digits stay plain at precision six"},
        SingleCase{1e20f, "1E+20", "two-digit exponents are padded to two"},
        SingleCase{0.0001f, "0.0001", "10^-4 is the smallest plain power"},
        SingleCase{0.00001f, "1E-05", "below 10^-4 the exponent form"},
        SingleCase{9.5f, "9.5", "rounding to one digit gives 10, which is another single"},
        SingleCase{16777216.0f, "16777216", "2^24: eight digits to read back"},
        SingleCase{FLT_MAX, "3.4028235E+38", "largest single: eight digits"},
        SingleCase{FLT_MIN, "1.1754944E-38", "smallest normal single"},
        SingleCase{SingleFromBits(1), "1E-45", "smallest subnormal single"},
        SingleCase{-0.0f, "-0", "negative zero keeps its sign"},
        SingleCase{std::numeric_limits<float>::infinity(), "inf", "as printf writes it"},
        SingleCase{-std::numeric_limits<float>::infinity(), "-inf", "as printf writes it"}));

TEST(SingleTextProperty, MatchesTheLibraryOnRandomSingles) {
    std::mt19937 random(20261207);
    int mismatches = 0;
    for (int i = 0; i < 20000; ++i) {
        const float value = SingleFromBits(static_cast<std::uint32_t>(random()));
        if (std::isnan(value)) continue;
        const std::string expected = LibrarySingleText(value);
        const std::string actual = Narrow(SingleText(value));
        if (actual != expected && ++mismatches <= 5)
            ADD_FAILURE() << std::hexfloat << value << ": " << actual << " != " << expected;
    }
    EXPECT_EQ(mismatches, 0);
}

struct ParseCase {
    const char* text;
    std::optional<double> value;
    const char* reason;
};

class ParseDecimalTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDecimalTest, ReadsTheWholeTextOrNothing) {
    const std::optional<double> value = ParseDecimalNumber(Widen(GetParam().text));
    ASSERT_EQ(value.has_value(), GetParam().value.has_value()) << GetParam().reason;
    if (value) {
        EXPECT_EQ(*value, *GetParam().value) << GetParam().reason;
        EXPECT_EQ(std::signbit(*value), std::signbit(*GetParam().value)) << GetParam().reason;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ParseDecimalTest,
    ::testing::Values(
        ParseCase{"42", 42.0, "digits"}, ParseCase{"-2.5", -2.5, "sign and point"},
        ParseCase{"+.5", 0.5, "no digit before the point"},
        ParseCase{"5.", 5.0, "no digit after the point"},
        ParseCase{"1E+05", 1e5, "signed exponent"}, ParseCase{"1.e5", 1e5, "point then exponent"},
        ParseCase{"0.0012e-3", 1.2e-6, "leading zeros after the point"},
        ParseCase{"000120", 120.0, "leading and trailing zeros"},
        ParseCase{"-0", -0.0, "negative zero"}, ParseCase{"1e400", HUGE_VAL, "beyond the range"},
        ParseCase{"1e-400", 0.0, "below the smallest subnormal"},
        ParseCase{"1.7976931348623158e308", DBL_MAX, "just under the overflow midpoint"},
        ParseCase{"2.4703282292062327e-324", 0.0, "just under half the smallest subnormal"},
        ParseCase{"2.4703282292062328e-324", 4.9406564584124654e-324, "just over it"},
        ParseCase{"", std::nullopt, "empty"}, ParseCase{".", std::nullopt, "no digit"},
        ParseCase{"1e", std::nullopt, "exponent without digits"},
        ParseCase{"+-1", std::nullopt, "two signs"}, ParseCase{"1.2.3", std::nullopt, "two points"},
        ParseCase{"1,5", std::nullopt, "the comma is the caller's business"},
        ParseCase{" 1", std::nullopt, "blanks are the caller's business"},
        ParseCase{"0x10", std::nullopt, "no hexadecimal"},
        ParseCase{"inf", std::nullopt, "no words"}));

// Decimal texts of every kind against strtod: short ones, long ones, and
// exact midpoints between neighbouring doubles, where halves go to even.
TEST(ParseDecimalProperty, MatchesTheLibrary) {
    std::mt19937_64 random(20261207);
    int mismatches = 0;
    char buffer[1024];
    for (int i = 0; i < 12000; ++i) {
        std::string text;
        if (i % 3 == 0) {
            const std::uint64_t bits = random() % 0x7FEFFFFFFFFFFFFFull;
            double low, high;
            std::memcpy(&low, &bits, sizeof low);
            const std::uint64_t next = bits + 1;
            std::memcpy(&high, &next, sizeof high);
            const long double midpoint = (static_cast<long double>(low) + high) / 2;
            std::snprintf(buffer, sizeof buffer, "%.*Le", i % 2 == 0 ? 800 : 20, midpoint);
            text = buffer;
        } else {
            const int digits = 1 + static_cast<int>(random() % 30);
            for (int d = 0; d < digits; ++d) text += static_cast<char>('0' + random() % 10);
            text.insert(random() % text.size(), ".");
            text += "e" + std::to_string(static_cast<int>(random() % 700) - 350);
        }
        const std::optional<double> actual = ParseDecimalNumber(Widen(text));
        const double expected = std::strtod(text.c_str(), nullptr);
        if ((!actual || std::memcmp(&*actual, &expected, sizeof expected) != 0) &&
            ++mismatches <= 5)
            ADD_FAILURE() << text.substr(0, 60) << ": " << (actual ? *actual : -1.0)
                          << " != " << expected;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(IntegerText, WritesEveryRange) {
    EXPECT_EQ(IntegerText(0), u"0");
    EXPECT_EQ(IntegerText(-32768), u"-32768");
    EXPECT_EQ(IntegerText(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
    EXPECT_EQ(IntegerText(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
}

}  // namespace
}  // namespace brumelis
