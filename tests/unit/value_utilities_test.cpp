// PickIf, MaxOf, MinOf, ReplaceText and the conversion to an 8-bit integer.
#include <gtest/gtest.h>

#include "base/failure.h"
#include "tests/support/value_printer.h"
#include "utilities/value_utilities.h"

namespace brumelis {
namespace {

using V = DynamicValue;
const V kI16(std::int16_t{255});

struct ReplaceCase {
    const char* why;
    const char16_t* source;
    const char16_t* find;
    const char16_t* replace;
    const char16_t* expected;
};

class ReplaceTextTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTextTest, ReplacesEveryOccurrence) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceText(c.source, c.find, c.replace), V(c.expected)) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTextTest,
    ::testing::Values(ReplaceCase{"removes items", u"a;5;b;5;", u";5;", u"", u"ab"},
                      ReplaceCase{"ignores letter case", u"xAbCx", u"abc", u"-", u"x-x"},
                      ReplaceCase{"does not search the replacement", u"aaa", u"a", u"aa",
                                  u"aaaaaa"},
                      ReplaceCase{"match at the start", u";500;;77;", u";500;", u"", u";77;"},
                      ReplaceCase{"match at the end", u";77;;500;", u";500;", u"", u";77;"},
                      ReplaceCase{"adjacent duplicates", u";500;;500;", u";500;", u"", u""},
                      ReplaceCase{"no match", u";500;", u";77;", u"", u";500;"},
                      ReplaceCase{"empty source", u"", u";1;", u"", u""},
                      ReplaceCase{"empty find changes nothing", u"abc", u"", u"x", u"abc"},
                      ReplaceCase{"find longer than source", u"ab", u"abc", u"", u"ab"},
                      ReplaceCase{"accented letters fold", u"fenÊtre", u"ê", u"e", u"fenetre"},
                      ReplaceCase{"no partial item", u";12;;345;", u";34;", u"", u";12;;345;"}));

TEST(ReplaceTextLong, WorksPastSixteenBitPositions) {
    Text source;
    for (int i = 0; i < 20000; ++i) source += u";9;";
    source += u";123;";
    const Text result = ReplaceText(source, u";9;", u"").AsText();
    EXPECT_EQ(result, u";123;");
}

TEST(ReplaceTextLong, ReplacesAMatchBeyond70000Characters) {
    Text source(70000, u'x');
    source += u";42;y";
    EXPECT_EQ(ReplaceText(source, u";42;", u"").AsText(), Text(70000, u'x') + u"y");
}

TEST(ReplaceTextArguments, TheCallersTextsDoNotChange) {
    Text source = u"a;5;", find = u";5;", replace = u"";
    ReplaceText(source, find, replace);
    EXPECT_EQ(source, u"a;5;");
}

struct CompareCase {
    const char* why;
    V a, b, max, min;
};

class MaxMinTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(MaxMinTest, PicksByNumericValue) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(MaxOf(c.a, c.b), c.max) << c.why;
    EXPECT_EQ(MinOf(c.a, c.b), c.min) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Values, MaxMinTest,
    ::testing::Values(
        CompareCase{"real above integer", V(300.5f), kI16, V(300.5f), kI16},
        CompareCase{"negative real against 0", V(-4.0f), V(std::int16_t{0}), V(std::int16_t{0}),
                    V(-4.0f)},
        // On equality MaxOf gives b and MinOf gives a: the types tell which.
        CompareCase{"equal across types", V(255.0f), kI16, kI16, V(255.0f)},
        CompareCase{"32-bit against 16-bit", V(std::int32_t{70000}), kI16, V(std::int32_t{70000}),
                    kI16},
        CompareCase{"true is -1", V(true), V(std::int16_t{0}), V(std::int16_t{0}), V(true)},
        CompareCase{"numeric text", V(u"300"), kI16, V(u"300"), kI16},
        CompareCase{"texts compare as texts", V(u"b"), V(u"a"), V(u"b"), V(u"a")},
        CompareCase{"empty is 0 against a number", V(), V(std::int16_t{1}), V(std::int16_t{1}),
                    V()},
        CompareCase{"null never compares greater", V::Null(), kI16, kI16, V::Null()}));

TEST(MaxMinFailures, AComparisonWithoutMeaningReachesTheCaller) {
    for (const V& odd : {V(u"abc"), V(TextArray({u"a"}))}) {
        try {
            MaxOf(odd, kI16);
            ADD_FAILURE() << "MaxOf should fail";
        } catch (const Failure& f) {
            EXPECT_EQ(f.Number(), 13);
        }
        EXPECT_THROW(MinOf(kI16, odd), Failure);
    }
}

struct PickCase {
    const char* why;
    V condition;
    bool first;
};

class PickIfTest : public ::testing::TestWithParam<PickCase> {};

TEST_P(PickIfTest, ChoosesByTruth) {
    const V first(std::int16_t{-1}), second(std::int16_t{-2});
    EXPECT_EQ(PickIf(GetParam().condition, first, second), GetParam().first ? first : second)
        << GetParam().why;
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, PickIfTest,
    ::testing::Values(PickCase{"true", V(true), true}, PickCase{"false", V(false), false},
                      PickCase{"zero", V(std::int16_t{0}), false},
                      PickCase{"non-zero real", V(0.5f), true},
                      PickCase{"null reads false", V::Null(), false},
                      PickCase{"empty reads false", V(), false},
                      PickCase{"numeric text", V(u"0"), false},
                      PickCase{"text without truth gives first", V(u"abc"), true},
                      PickCase{"array without truth gives first", V(TextArray()), true}));

struct ByteCase {
    float value;
    int expected;
};

class ToByteTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(ToByteTest, RoundsHalvesToEven) {
    EXPECT_EQ(ToByte(V(GetParam().value)), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, ToByteTest,
                         ::testing::Values(ByteCase{126.5f, 126}, ByteCase{127.5f, 128},
                                           ByteCase{126.49f, 126}, ByteCase{126.51f, 127},
                                           ByteCase{127.49f, 127}, ByteCase{127.51f, 128},
                                           ByteCase{0.5f, 0}, ByteCase{254.5f, 254},
                                           ByteCase{-0.4f, 0}, ByteCase{255.4f, 255}));

TEST(ToByteFailures, OutOfRangeIsAnOverflow) {
    for (float f : {255.5f, 256.0f, -0.6f, -1.0f}) {
        try {
            ToByte(V(f));
            ADD_FAILURE() << f;
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.Number(), 6) << f;
        }
    }
}

}  // namespace
}  // namespace brumelis
