// Names at and past the platform's limits, odd paths and handles that hold no
// key: nothing crashes, and every report carries the call's status.
#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

struct KeyNameCase {
    const char* why;
    Text name;
    std::int32_t status;  // of every call on that name; 0 when it works
    const char* created;  // the key that then exists below the scratch key
};

// Wine's A calls carry at most 260 characters of path, 256 per element.
const KeyNameCase kKeyNames[] = {
    {"255 characters", Text(255, u'k'), 0, nullptr},
    {"256 characters", Text(256, u'k'), 0, nullptr},
    {"257 characters", Text(257, u'k'), kInvalidParameter, nullptr},
    {"16383 characters", Text(16383, u'k'), kMoreData, nullptr},
    {"16384 characters", Text(16384, u'k'), kMoreData, nullptr},
    {"a backslash between two names", u"a\\b", 0, "a\\b"},
    {"two backslashes count as one", u"c\\\\d", 0, "c\\d"},
    {"a trailing backslash", u"e\\", 0, "e"},
    {"a leading backslash", u"\\f", kBadPathname, nullptr},
};

TEST_P(RegistryKeyBehaviour, KeyNamesAtAndPastTheLimits) {
    for (const KeyNameCase& c : kKeyNames) {
        SCOPED_TRACE(c.why);
        RegistryKey key = NewKey();
        const bool created =
            key.CreateKey(Scratch(), c.name, u"", kOptionNonVolatile, kKeyAllAccess);
        EXPECT_EQ(c.status == 0, created);
        EXPECT_EQ(c.status == 0, key.handle() != 0);
        if (c.created) {
            EXPECT_TRUE(KeyExists(c.created));
        }
        key.OpenKey(Scratch(), c.name, kKeyRead);
        EXPECT_EQ(c.status == 0, key.handle() != 0);
        key.CloseKey();
        if (c.status == 0) {
            key.DeleteKey(Scratch(), c.name);
            if (c.created) {
                EXPECT_FALSE(KeyExists(c.created));
            }
        } else {
            EXPECT_TRUE(RaisesFailure([&] { key.DeleteKey(Scratch(), c.name); }, c.status,
                                      u"RegistryKey.DeleteKey",
                                      u"Unable to delete registry key '" + c.name + u"'"));
            key.OpenKey(Root(), Path(), kKeyRead);
            EXPECT_TRUE(RaisesFailure([&] { key.DeleteSubKey(c.name); }, c.status,
                                      u"RegistryKey.DeleteSubKey",
                                      u"Unable to delete registry subkey '" + c.name + u"'"));
        }
    }
}

TEST_P(RegistryKeyBehaviour, AnEmptyKeyNameNamesTheRootItself) {
    RegistryKey key = NewKey();
    key.CreateKey(Scratch(), u"", u"", kOptionNonVolatile, kKeyAllAccess);
    ASSERT_NE(0u, key.handle());
    EXPECT_NE(Scratch(), key.handle()) << "a new handle on the same key";
    key.value(u"through", u"the empty name");
    EXPECT_EQ(Sz("the empty name"), GetValue("", "through")->data);

    key.OpenKey(Root(), u"", kKeyRead);
    EXPECT_EQ(Root(), key.handle()) << "a predefined root opens as itself";
    key.CloseKey();
    EXPECT_EQ(0u, key.handle());
}

TEST_P(RegistryKeyBehaviour, ValueNamesAtAndPastTheLimit) {
    struct Case {
        const char* why;
        Text name;
        bool stored;
    };
    const Case cases[] = {
        {"the default value", u"", true},
        {"255 characters", Text(255, u'v'), true},
        {"256 characters", Text(256, u'v'), true},
        {"257 characters", Text(257, u'v'), true},
        {"16383 characters", Text(16383, u'v'), true},
        {"16384 characters", Text(16384, u'v'), false},
        {"a backslash is part of a value name", u"a\\b", true},
    };
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyAllAccess);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        key.value(c.name, u"data");
        if (c.stored) {
            EXPECT_EQ(DynamicValue(u"data"), key.value(c.name));
            EXPECT_TRUE(RecordIsClear());
            key.DeleteValue(c.name);
        } else {
            EXPECT_EQ(DynamicValue(u""), key.value(c.name));
            EXPECT_TRUE(
                RecordIs(kFileNotFound, u"RegistryKey.Get Value",
                         u"An error occurred while getting the registy value '" + c.name + u"'"));
            EXPECT_TRUE(RaisesFailure([&] { key.DeleteValue(c.name); }, kFileNotFound,
                                      u"RegistryKey.DeleteValue",
                                      u"Unable to delete registry value '" + c.name + u"'"));
        }
        EXPECT_EQ(Names({}), key.ValueNames());
    }
    EXPECT_FALSE(KeyExists("a"));
}

TEST_P(RegistryKeyBehaviour, ANameEndsAtItsFirstNul) {
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyAllAccess);
    key.value(Text(u"name\0ignored", 12), u"data");
    EXPECT_EQ(Names({u"name"}), key.ValueNames());
    EXPECT_TRUE(key.CreateKey(Scratch(), Text(u"key\0ignored", 11), u"", 0, kKeyRead));
    EXPECT_TRUE(KeyExists("key"));
}

TEST_P(RegistryKeyBehaviour, WithoutAKeyEveryOperationMeetsAnInvalidHandle) {
    PutText("", "v", "data");
    PutKey("s");
    const Text kGetValues = u"RegistryKey.GetValues";
    const Text kNoNames = u"Unable to retrieve value names for registry key";
    for (const bool opened : {false, true}) {
        SCOPED_TRACE(opened ? "a key opened and closed" : "a new instance");
        RegistryKey key = NewKey();
        if (opened) {
            key.OpenKey(Root(), Path(), kKeyAllAccess);
            key.CloseKey();
        }
        EXPECT_EQ(DynamicValue(u""), key.value(u"v"));
        EXPECT_TRUE(RecordIs(kInvalidHandle, u"RegistryKey.Get Value",
                             u"An error occurred while getting the registy value 'v'"));
        PlantSentinelRecord();
        key.value(u"v", u"lost");
        EXPECT_TRUE(SentinelRecordKept()) << "a failed write says nothing";
        EXPECT_TRUE(RaisesFailure([&] { key.ValueNames(); }, kInvalidHandle, kGetValues, kNoNames));
        EXPECT_TRUE(key.SubKeyNames().IsEmpty());
        EXPECT_TRUE(RecordIs(kInvalidHandle, kGetValues, kNoNames));
        EXPECT_TRUE(key.SubValueNames().IsEmpty());
        EXPECT_TRUE(RecordIs(kInvalidHandle, kGetValues, kNoNames));
        EXPECT_TRUE(RaisesFailure([&] { key.DeleteValue(u"v"); }, kInvalidHandle,
                                  u"RegistryKey.DeleteValue",
                                  u"Unable to delete registry value 'v'"));
        EXPECT_TRUE(RaisesFailure([&] { key.DeleteSubKey(u"s"); }, kInvalidHandle,
                                  u"RegistryKey.DeleteSubKey",
                                  u"Unable to delete registry subkey 's'"));
        key.DeleteKey(Root(), Path("s"));
        EXPECT_FALSE(KeyExists("s")) << "DeleteKey needs no held key";
        PutKey("s");
        EXPECT_EQ(0u, key.handle());
    }
    EXPECT_EQ(Sz("data"), GetValue("", "v")->data);
    EXPECT_TRUE(RaisesFailure([&] { NewKey().DeleteKey(0x1234, u"x"); }, kInvalidHandle,
                              u"RegistryKey.DeleteKey", u"Unable to delete registry key 'x'"));
}

}  // namespace
}  // namespace brumelis::registry_tests
