// Deleting keys and values, and what a held key does once it is deleted.
#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

TEST_P(RegistryKeyBehaviour, DeleteKeyDeletesWhetherOrNotAKeyIsHeldAndLeavesTheHeldKeyAlone) {
    PutKey("first");
    PutKey("second");
    RegistryKey key = NewKey();
    key.DeleteKey(Root(), Path("first"));
    EXPECT_FALSE(KeyExists("first"));

    key.OpenKey(Root(), Path(), kKeyAllAccess);
    const RegistryHandle held = key.handle();
    key.DeleteKey(Root(), Path("second"));
    EXPECT_FALSE(KeyExists("second"));
    EXPECT_EQ(held, key.handle());
    key.value(u"still", u"usable");
    EXPECT_EQ(DynamicValue(u"usable"), key.value(u"still"));
}

TEST_P(RegistryKeyBehaviour, DeleteKeyRaisesTheStatusWithThePathAsGiven) {
    PutKey("parent\\child");
    struct Case {
        const char* why;
        RegistryHandle root;
        Text subkey;
        std::int32_t status;
    };
    const Case cases[] = {
        {"missing key", Root(), Path("missing"), kFileNotFound},
        {"key with a subkey", Root(), Path("parent"), kAccessDenied},
        {"no root", 0, Path("parent\\child"), kInvalidHandle},
        {"leading backslash", Scratch(), u"\\parent", kBadPathname},
    };
    RegistryKey key = NewKey();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_TRUE(RaisesFailure([&] { key.DeleteKey(c.root, c.subkey); }, c.status,
                                  u"RegistryKey.DeleteKey",
                                  u"Unable to delete registry key '" + c.subkey + u"'"));
    }
    EXPECT_TRUE(KeyExists("parent\\child"));
}

TEST_P(RegistryKeyBehaviour, DeleteSubKeyWorksBelowTheHeldKey) {
    PutKey("held\\child\\grandchild");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path("held"), kKeyRead);
    const Text description = u"Unable to delete registry subkey 'child'";
    EXPECT_TRUE(RaisesFailure([&] { key.DeleteSubKey(u"child"); }, kAccessDenied,
                              u"RegistryKey.DeleteSubKey", description));
    key.DeleteSubKey(u"child\\grandchild");
    key.DeleteSubKey(u"CHILD");
    EXPECT_FALSE(KeyExists("held\\child"));
    EXPECT_TRUE(KeyExists("held"));
    EXPECT_TRUE(RaisesFailure([&] { key.DeleteSubKey(u"child"); }, kFileNotFound,
                              u"RegistryKey.DeleteSubKey", description));
}

TEST_P(RegistryKeyBehaviour, DeleteValueRemovesOneValue) {
    PutText("", "gone", "1");
    PutText("", "kept", "2");
    PutText("", "", "default");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyAllAccess);
    key.DeleteValue(u"GONE");
    key.DeleteValue(u"");
    EXPECT_FALSE(GetValue("", "gone"));
    EXPECT_FALSE(GetValue("", ""));
    EXPECT_TRUE(GetValue("", "kept"));

    EXPECT_TRUE(RaisesFailure([&] { key.DeleteValue(u"gone"); }, kFileNotFound,
                              u"RegistryKey.DeleteValue",
                              u"Unable to delete registry value 'gone'"));
    key.OpenKey(Root(), Path(), kKeyRead);
    EXPECT_TRUE(RaisesFailure([&] { key.DeleteValue(u"kept"); }, kAccessDenied,
                              u"RegistryKey.DeleteValue",
                              u"Unable to delete registry value 'kept'"));
    EXPECT_TRUE(GetValue("", "kept"));
}

// Every operation on a key that was deleted while held meets ERROR_KEY_DELETED;
// closing it still works.
void ExpectKeyDeleted(RegistryKey& key) {
    const Text kGetValues = u"RegistryKey.GetValues";
    const Text kNoNames = u"Unable to retrieve value names for registry key";
    EXPECT_EQ(DynamicValue(u""), key.value(u"v"));
    EXPECT_TRUE(RecordIs(kKeyDeleted, u"RegistryKey.Get Value",
                         u"An error occurred while getting the registy value 'v'"));
    PlantSentinelRecord();
    key.value(u"v", u"lost");
    EXPECT_TRUE(SentinelRecordKept());
    EXPECT_TRUE(RaisesFailure([&] { key.ValueNames(); }, kKeyDeleted, kGetValues, kNoNames));
    EXPECT_TRUE(key.SubValueNames().IsEmpty());
    EXPECT_TRUE(RecordIs(kKeyDeleted, kGetValues, kNoNames));
    EXPECT_TRUE(key.SubKeyNames().IsEmpty());
    EXPECT_TRUE(RecordIs(kKeyDeleted, kGetValues, kNoNames));
    EXPECT_TRUE(RaisesFailure([&] { key.DeleteValue(u"v"); }, kKeyDeleted,
                              u"RegistryKey.DeleteValue", u"Unable to delete registry value 'v'"));
    EXPECT_TRUE(RaisesFailure([&] { key.DeleteSubKey(u"s"); }, kKeyDeleted,
                              u"RegistryKey.DeleteSubKey",
                              u"Unable to delete registry subkey 's'"));
    EXPECT_NE(0u, key.handle());
    key.CloseKey();
    EXPECT_EQ(0u, key.handle());
}

TEST_P(RegistryKeyBehaviour, AKeyDeletedByAnotherInstanceWhileHeld) {
    PutText("doomed", "v", "data");
    RegistryKey holder = NewKey();
    holder.OpenKey(Root(), Path("doomed"), kKeyAllAccess);
    RegistryKey other = NewKey();
    other.DeleteKey(Root(), Path("doomed"));
    EXPECT_FALSE(KeyExists("doomed"));
    ExpectKeyDeleted(holder);
}

TEST_P(RegistryKeyBehaviour, AHeldKeyDeletingItself) {
    PutText("self", "v", "data");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path("self"), kKeyAllAccess);
    key.DeleteSubKey(u"");
    EXPECT_FALSE(KeyExists("self"));
    ExpectKeyDeleted(key);
}

TEST_P(RegistryKeyBehaviour, CreatingBelowADeletedKeyFailsQuietly) {
    PutKey("doomed");
    RegistryKey holder = NewKey();
    holder.OpenKey(Root(), Path("doomed"), kKeyAllAccess);
    holder.DeleteKey(Root(), Path("doomed"));
    RegistryKey child = NewKey();
    EXPECT_FALSE(
        child.CreateKey(holder.handle(), u"child", u"", kOptionNonVolatile, kKeyAllAccess));
    EXPECT_EQ(0u, child.handle());
    child.OpenKey(holder.handle(), u"child", kKeyWrite);
    EXPECT_EQ(0u, child.handle());
    EXPECT_FALSE(KeyExists("doomed"));
}

}  // namespace
}  // namespace brumelis::registry_tests
