// The dynamic value's conversions: to text, to truth, to number.
#include <gtest/gtest.h>

#include "base/dynamic_value.h"
#include "base/failure.h"
#include "tests/support/value_printer.h"

namespace brumelis {
namespace {

using V = DynamicValue;

struct TextCase {
    V value;
    const char16_t* text;
};

class ToTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ToTextTest, ConvertsToItsUsualText) {
    EXPECT_EQ(ToText(GetParam().value), Text(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Values, ToTextTest,
                         ::testing::Values(TextCase{V(std::int16_t{42}), u"42"},
                                           TextCase{V(std::int16_t{-32768}), u"-32768"},
                                           TextCase{V(std::int32_t{-2147483647 - 1}),
                                                    u"-2147483648"},
                                           TextCase{V(1.5f), u"1.5"}, TextCase{V(0.1f), u"0.1"},
                                           TextCase{V(-3.0f), u"-3"}, TextCase{V(1e20f), u"1E+20"},
                                           TextCase{V(true), u"True"}, TextCase{V(false), u"False"},
                                           TextCase{V(), u""}, TextCase{V(u"déjà"), u"déjà"}));

TEST(ToTextFailures, NullAndArraysHaveNoText) {
    EXPECT_THROW(ToText(V::Null()), Failure);
    EXPECT_THROW(ToText(V(TextArray({u"a"}))), Failure);
}

TEST(Comparison, NumbersOfDifferentTypesCompareByValue) {
    EXPECT_EQ(CompareValues(V(std::int16_t{2}), V(2.0f)), 0);
    EXPECT_EQ(CompareValues(V(std::int32_t{40000}), V(std::int16_t{2})), 1);
    EXPECT_EQ(CompareValues(V(u" 2.5 "), V(2.0f)), 1);
    EXPECT_EQ(CompareValues(V(u"2,5"), V(3.0f)), -1);
    EXPECT_EQ(CompareValues(V::Null(), V(1.0f)), std::nullopt);
    EXPECT_THROW(CompareValues(V(u"deux"), V(2.0f)), Failure);
    EXPECT_THROW(CompareValues(V(u""), V(2.0f)), Failure);
}

TEST(Truth, ValuesWithoutTruthFail) {
    EXPECT_TRUE(ToTruth(V(u"True")));
    EXPECT_FALSE(ToTruth(V(u"0")));
    EXPECT_THROW(ToTruth(V(u"peut-être")), Failure);
    EXPECT_THROW(ToTruth(V::Null()), Failure);
}

TEST(TextArrays, AreNumberedFromOne) {
    TextArray a({u"x", u"y"});
    EXPECT_EQ(a.LowerBound(), 1);
    EXPECT_EQ(a.UpperBound(), 2);
    EXPECT_EQ(a.At(1), u"x");
    a.Resize(3);
    EXPECT_EQ(a.At(2), u"y");
    EXPECT_EQ(TextArray().UpperBound(), 0);
}

}  // namespace
}  // namespace brumelis
