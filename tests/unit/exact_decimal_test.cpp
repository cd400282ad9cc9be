// Exact decimal expansions: rounding and comparing digit by digit.
#include <gtest/gtest.h>

#include "base/exact_decimal.h"

namespace brumelis {
namespace {

Decimal D(std::vector<std::uint8_t> digits, int exponent) {
    return Decimal{std::move(digits), exponent};
}

TEST(ExactDecimal, ExpandsEveryBinaryDigit) {
    EXPECT_EQ(ExactDecimal(1, -1), D({5}, 0));        // 0.5
    EXPECT_EQ(ExactDecimal(3, -3), D({3, 7, 5}, 0));  // 0.375
    EXPECT_EQ(ExactDecimal(5, 2), D({2}, 2));         // 20
    EXPECT_EQ(ExactDecimal(1, 64),
              D({1, 8, 4, 4, 6, 7, 4, 4, 0, 7, 3, 7, 0, 9, 5, 5, 1, 6, 1, 6}, 20));
    EXPECT_EQ(ExactDecimal(0, 5), D({}, 0));
    EXPECT_EQ(ExactDecimal(1, -1074).digits.size(), 751u);  // the smallest subnormal double
}

struct RoundCase {
    Decimal value;
    int significant;
    Decimal rounded;
    const char* reason;
};

class RoundToSignificantTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToSignificantTest, HalvesGoToEven) {
    EXPECT_EQ(RoundToSignificant(GetParam().value, GetParam().significant), GetParam().rounded)
        << GetParam().reason;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundToSignificantTest,
    ::testing::Values(
        RoundCase{D({1, 2, 5}, 1), 2, D({1, 2}, 1), "a half after an even digit stays"},
        RoundCase{D({1, 3, 5}, 1), 2, D({1, 4}, 1), "a half after an odd digit goes up"},
        RoundCase{D({1, 2, 5, 1}, 1), 2, D({1, 3}, 1), "more than a half goes up"},
        RoundCase{D({9, 9, 7}, 0), 2, D({1}, 1), "the carry runs into a new digit"},
        RoundCase{D({1, 0, 4}, 3), 2, D({1}, 3), "trailing zeros are dropped"},
        RoundCase{D({4, 2}, -1), 5, D({4, 2}, -1), "short enough already"}));

TEST(CompareDecimals, OrdersByExponentThenDigits) {
    EXPECT_EQ(CompareDecimals(D({1}, 2), D({9, 9}, 1)), 1);
    EXPECT_EQ(CompareDecimals(D({1, 2}, 0), D({1, 2, 1}, 0)), -1);
    EXPECT_EQ(CompareDecimals(D({1, 2}, 0), D({1, 2}, 0)), 0);
    EXPECT_EQ(CompareDecimals(D({}, 0), D({1}, -300)), -1);
    EXPECT_EQ(CompareDecimals(D({}, 0), D({}, 0)), 0);
}

}  // namespace
}  // namespace brumelis
