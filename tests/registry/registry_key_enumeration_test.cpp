// The three name lists. Names are inserted in sorted order, so the lists come
// out in that order whether the registry keeps insertion order (Windows) or
// sorts (Wine).
#include <algorithm>
#include <cstdio>

#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

const Text kGetValues = u"RegistryKey.GetValues";
const Text kNoNames = u"Unable to retrieve value names for registry key";

std::vector<Text> Sorted(std::vector<Text> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST_P(RegistryKeyBehaviour, AKeyWithoutNamesGivesArraysWithoutElements) {
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    EXPECT_EQ(Names({}), key.ValueNames());
    PlantSentinelRecord();
    EXPECT_EQ(Names({}), key.SubValueNames());
    EXPECT_TRUE(RecordIsClear());
    PlantSentinelRecord();
    EXPECT_EQ(Names({}), key.SubKeyNames());
    EXPECT_TRUE(RecordIsClear());
}

TEST_P(RegistryKeyBehaviour, TheDefaultValueIsListedOnlyBySubValueNames) {
    PutText("", "", "default");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    EXPECT_EQ(Names({}), key.ValueNames());
    EXPECT_EQ(Names({u""}), key.SubValueNames());

    PutText("", "a", "1");
    PutText("", "b", "2");
    EXPECT_EQ(Names({u"a", u"b"}), key.ValueNames());
    const DynamicValue all = key.SubValueNames();
    ASSERT_TRUE(all.IsArray());
    EXPECT_EQ(Sorted({u"", u"a", u"b"}), Sorted(all.AsArray().Elements()))
        << "the default value's place is the platform's";
}

TEST_P(RegistryKeyBehaviour, ArraysAreNumberedFromOneInIndexOrder) {
    for (const char* name : {"alpha", "bravo", "charlie"}) {
        PutText("", name, "data");
        PutKey(name);
    }
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    for (const DynamicValue& names : {key.ValueNames(), key.SubValueNames(), key.SubKeyNames()}) {
        ASSERT_TRUE(names.IsArray());
        const TextArray& array = names.AsArray();
        EXPECT_EQ(1, array.LowerBound());
        EXPECT_EQ(3, array.UpperBound());
        EXPECT_EQ(u"alpha", array.At(1));
        EXPECT_EQ(u"bravo", array.At(2));
        EXPECT_EQ(u"charlie", array.At(3));
    }
}

TEST_P(RegistryKeyBehaviour, NamesSurviveTheCodePage) {
    PutText("", "\xe9t\xe9", "data");
    PutKey("gar\xe7on");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    EXPECT_EQ(Names({u"\u00e9t\u00e9"}), key.ValueNames());
    EXPECT_EQ(Names({u"\u00e9t\u00e9"}), key.SubValueNames());
    EXPECT_EQ(Names({u"gar\u00e7on"}), key.SubKeyNames());
}

TEST_P(RegistryKeyBehaviour, LongValueNamesEndTheListsWhereTheBufferIsTooSmall) {
    struct Case {
        std::size_t length;
        bool valueNamesFit;
        bool subValueNamesFit;
    };
    const Case cases[] = {{511, true, true},
                          {512, true, false},
                          {4095, true, false},
                          {4096, false, false},
                          {16383, false, false}};
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyAllAccess);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string name(c.length, 'n');
        PutText("", "a", "before the long name");
        PutText("", name, "data");
        const DynamicValue expected = Names({u"a", Text(c.length, u'n')});
        if (c.valueNamesFit) {
            EXPECT_EQ(expected, key.ValueNames());
        } else {
            EXPECT_TRUE(RaisesFailure([&] { key.ValueNames(); }, kMoreData, kGetValues, kNoNames));
        }
        const DynamicValue listed = key.SubValueNames();
        if (c.subValueNamesFit) {
            EXPECT_EQ(expected, listed);
            EXPECT_TRUE(RecordIsClear());
        } else {
            EXPECT_TRUE(listed.IsEmpty()) << "names found before the failure are lost";
            EXPECT_TRUE(RecordIs(kMoreData, kGetValues, kNoNames));
        }
        key.DeleteValue(Text(c.length, u'n'));
    }
}

TEST_P(RegistryKeyBehaviour, SubkeyNamesOfEveryAllowedLength) {
    RegistryKey key = NewKey();
    key.OpenKey(Scratch(), u"", kKeyRead);
    for (std::size_t length : {1, 255, 256}) PutKey(std::string(length, 'k'));
    EXPECT_EQ(Names({Text(1, u'k'), Text(255, u'k'), Text(256, u'k')}), key.SubKeyNames());
}

TEST_P(RegistryKeyBehaviour, ManyNamesAreAllListed) {
    std::vector<Text> expected;
    for (int i = 0; i < 300; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "n%04d", i);
        PutText("", name, "");
        PutKey(name);
        expected.push_back(Text(name, name + 5));
    }
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    EXPECT_EQ(Names(expected), key.ValueNames());
    EXPECT_EQ(Names(expected), key.SubValueNames());
    EXPECT_EQ(Names(expected), key.SubKeyNames());
}

TEST_P(RegistryKeyBehaviour, AKeyHeldWithoutTheRightToListFailsAllThree) {
    PutText("", "a", "data");
    PutKey("a");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeySetValue);
    EXPECT_TRUE(RaisesFailure([&] { key.ValueNames(); }, kAccessDenied, kGetValues, kNoNames));
    EXPECT_TRUE(key.SubValueNames().IsEmpty());
    EXPECT_TRUE(RecordIs(kAccessDenied, kGetValues, kNoNames));
    EXPECT_TRUE(key.SubKeyNames().IsEmpty());
    EXPECT_TRUE(RecordIs(kAccessDenied, kGetValues, kNoNames));
}

}  // namespace
}  // namespace brumelis::registry_tests
