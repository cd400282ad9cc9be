// Reading and writing `value`: any data read back as text without its last
// character, every write a REG_SZ text value.
#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

const Text kGetValue = u"RegistryKey.Get Value";

TEST_P(RegistryKeyBehaviour, ReadingGivesTheDataAsTextWithoutItsLastCharacter) {
    struct Case {
        const char* why;
        std::uint32_t type;
        std::string bytes;
        std::uint32_t size;
        Text expected;
    };
    const Case cases[] = {
        {"text stored with its NUL", kTypeText, "abc", 4, u"abc"},
        {"text stored without its NUL", kTypeText, "abcX", 3, u"ab"},
        {"empty text with its NUL", kTypeText, "", 1, u""},
        {"text value without data", kTypeText, "", 0, u""},
        {"binary value without data", kTypeBinary, "", 0, u""},
        {"4-byte number 0x44434241: its first three bytes", kTypeNumber, "ABCD", 4, u"ABC"},
        {"binary data of odd length", kTypeBinary, "12345", 5, u"1234"},
        {"text with an embedded NUL", kTypeText, std::string("a\0b", 3), 4, Text(u"a\0b", 3)},
        {"upper half of the code page", kTypeText, "\xe0\xe9\xff", 4, u"\u00e0\u00e9\u00ff"},
    };
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        PutValue("", "v", c.type, c.bytes, c.size);
        PlantSentinelRecord();
        EXPECT_EQ(DynamicValue(c.expected), key.value(u"v"));
        EXPECT_TRUE(RecordIsClear());
    }
}

TEST_P(RegistryKeyBehaviour, ReadingFindsTheDefaultValueAndNamesInAnyCase) {
    PutText("", "", "default data");
    PutText("", "Named", "named data");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    EXPECT_EQ(DynamicValue(u"default data"), key.value(u""));
    EXPECT_EQ(DynamicValue(u"named data"), key.value(u"NAMED"));
}

TEST_P(RegistryKeyBehaviour, ReadingAMissingValueRecordsTheDataQueryStatus) {
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    EXPECT_EQ(DynamicValue(u""), key.value(u"missing"));
    EXPECT_TRUE(RecordIs(kFileNotFound, kGetValue,
                         u"An error occurred while getting the registy value 'missing'"));
    EXPECT_EQ(2, Calls().Counts().query) << "the data query runs after a failed size query";

    PutText("", "present", "x");
    EXPECT_EQ(DynamicValue(u"x"), key.value(u"present"));
    EXPECT_TRUE(RecordIsClear()) << "each read starts with a clear record";
}

TEST_P(RegistryKeyBehaviour, WritingStoresTheValueAsText) {
    struct Case {
        const char* why;
        DynamicValue value;
        std::string stored;
    };
    const Case cases[] = {
        {"32-bit integer", DynamicValue(42), "42"},
        {"negative 16-bit integer", DynamicValue(std::int16_t{-7}), "-7"},
        {"text", DynamicValue(u"abc"), "abc"},
        {"empty text: only the NUL", DynamicValue(u""), ""},
        {"empty value: only the NUL", DynamicValue(), ""},
        {"real", DynamicValue(1.5f), "1.5"},
        {"real without an exact binary form", DynamicValue(0.1f), "0.1"},
        {"real with an exponent", DynamicValue(-2.5e20f), "-2.5E+20"},
        {"true", DynamicValue(true), "True"},
        {"false", DynamicValue(false), "False"},
        {"accented text", DynamicValue(u"\u00e9t\u00e9"), "\xe9t\xe9"},
        {"text with an embedded NUL", DynamicValue(Text(u"a\0b", 3)), std::string("a\0b", 3)},
    };
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyAllAccess);
    PlantSentinelRecord();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        key.value(u"v", c.value);
        const SetArguments& passed = Calls().LastSet();
        EXPECT_EQ(0u, passed.reserved);
        EXPECT_EQ(kTypeText, passed.type);
        EXPECT_EQ(Sz(c.stored), passed.data) << "the text's bytes and its NUL";
        const std::optional<StoredValue> stored = GetValue("", "v");
        ASSERT_TRUE(stored);
        EXPECT_EQ(kTypeText, stored->type);
        EXPECT_EQ(Sz(c.stored), stored->data);
    }
    EXPECT_TRUE(SentinelRecordKept());
}

TEST_P(RegistryKeyBehaviour, WritingOverANumberValueMakesItAText) {
    PutValue("", "n", kTypeNumber, "ABCD", 4);
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyAllAccess);
    key.value(u"n", 7);
    EXPECT_EQ(kTypeText, GetValue("", "n")->type);
    EXPECT_EQ(Sz("7"), GetValue("", "n")->data);
    EXPECT_EQ(DynamicValue(u"7"), key.value(u"n"));
}

TEST_P(RegistryKeyBehaviour, WritingAValueWithoutTextRaisesBeforeAnyCall) {
    PutText("", "v", "unchanged");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyAllAccess);
    EXPECT_TRUE(RaisesFailure([&] { key.value(u"v", DynamicValue::Null()); }, 94, u"DynamicValue",
                              u"Utilisation incorrecte de Null"));
    EXPECT_TRUE(RaisesFailure([&] { key.value(u"v", DynamicValue(TextArray({u"a"}))); }, 13,
                              u"DynamicValue", u"Type incompatible"));
    EXPECT_EQ(0, Calls().Counts().set);
    EXPECT_EQ(Sz("unchanged"), GetValue("", "v")->data);
}

TEST_P(RegistryKeyBehaviour, AWriteRefusedByTheRegistrySaysNothing) {
    PutText("", "v", "unchanged");
    RegistryKey readOnly = NewKey();
    readOnly.OpenKey(Root(), Path(), kKeyRead);
    PlantSentinelRecord();
    readOnly.value(u"v", u"lost");
    EXPECT_EQ(1, Calls().Counts().set);
    EXPECT_EQ(Sz("unchanged"), GetValue("", "v")->data);
    EXPECT_TRUE(SentinelRecordKept());
}

TEST_P(RegistryKeyBehaviour, WhatIsWrittenReadsBack) {
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyAllAccess);
    for (const Text& text : {Text(u""), Text(u"x"), Text(u"42"), Text(4000, u'y')}) {
        key.value(u"round trip", text);
        EXPECT_EQ(DynamicValue(text), key.value(u"round trip"));
    }
    key.value(u"", u"default");
    EXPECT_EQ(DynamicValue(u"default"), key.value(u""));
}

}  // namespace
}  // namespace brumelis::registry_tests
