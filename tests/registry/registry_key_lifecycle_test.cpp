// Acquiring, holding and giving back a key: construction, CreateKey, OpenKey,
// CloseKey, handle, destruction and moves.
#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

TEST_P(RegistryKeyBehaviour, NewInstanceHoldsNoKeyAndClosingItCallsNothing) {
    PlantSentinelRecord();
    {
        RegistryKey key = NewKey();
        EXPECT_EQ(0u, key.handle());
        key.CloseKey();
        EXPECT_EQ(0u, key.handle());
    }
    EXPECT_EQ(0, Calls().Counts().Total());
    EXPECT_TRUE(SentinelRecordKept());
}

TEST_P(RegistryKeyBehaviour, CloseKeyTwiceAfterAnOpenClosesOnce) {
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path(), kKeyRead);
    const RegistryHandle held = key.handle();
    ASSERT_NE(0u, held);
    EXPECT_TRUE(Calls().IsOpen(held));
    key.CloseKey();
    key.CloseKey();
    EXPECT_EQ(0u, key.handle());
    EXPECT_EQ(1, Calls().Counts().close);
    EXPECT_FALSE(Calls().IsOpen(held));
}

TEST_P(RegistryKeyBehaviour, CreateKeyOnAMissingKeyCreatesEveryLevelAndHoldsTheLast) {
    PlantSentinelRecord();
    RegistryKey key = NewKey();
    EXPECT_TRUE(key.CreateKey(Root(), Path("new\\deeper"), u"", kOptionNonVolatile, kKeyAllAccess));
    ASSERT_NE(0u, key.handle());
    EXPECT_TRUE(KeyExists("new\\deeper"));
    EXPECT_TRUE(SentinelRecordKept());
    key.value(u"written", u"through the held key");
    EXPECT_EQ(Sz("through the held key"), GetValue("new\\deeper", "written")->data);

    const CreateArguments& passed = Calls().LastCreate();
    EXPECT_EQ(0u, passed.reserved);
    EXPECT_EQ("", passed.keyClass);
    EXPECT_EQ(kKeyAllAccess, passed.rights);
    EXPECT_TRUE(passed.security);
    EXPECT_FALSE(passed.inheritHandle);
}

TEST_P(RegistryKeyBehaviour, CreateKeyAcceptsAnOpenKeyAsRoot) {
    RegistryKey key = NewKey();
    EXPECT_TRUE(key.CreateKey(Scratch(), u"child", u"Some Class", kOptionVolatile, kKeyAllAccess));
    EXPECT_NE(0u, key.handle());
    EXPECT_TRUE(KeyExists("child"));
    EXPECT_EQ("Some Class", Calls().LastCreate().keyClass);
    EXPECT_EQ(kOptionVolatile, Calls().LastCreate().options);
}

TEST_P(RegistryKeyBehaviour, CreateKeyOnAnExistingKeyReturnsFalseAndHoldsItWithTheRequestedRights) {
    PutText("existing", "kept", "before");
    RegistryKey key = NewKey();
    EXPECT_FALSE(key.CreateKey(Root(), Path("existing"), u"", kOptionNonVolatile, kKeyRead));
    ASSERT_NE(0u, key.handle());
    EXPECT_EQ(DynamicValue(u"before"), key.value(u"kept"));
    key.value(u"kept", u"after");  // refused to a KEY_READ handle, silently
    EXPECT_EQ(Sz("before"), GetValue("existing", "kept")->data);

    EXPECT_FALSE(key.CreateKey(Root(), Path("existing"), u"", kOptionNonVolatile, kKeyAllAccess));
    key.value(u"kept", u"after");
    EXPECT_EQ(Sz("after"), GetValue("existing", "kept")->data);
}

TEST_P(RegistryKeyBehaviour, CreateKeyThatCannotCreateReturnsFalseAndReportsNothing) {
    struct Case {
        const char* why;
        RegistryHandle root;
        Text subkey;
    };
    const Case cases[] = {
        {"no root", 0, u"x"},
        {"a root that is no handle", 0x1234, u"x"},
        {"a leading backslash", Scratch(), u"\\x"},
        {"an element of 257 characters", Scratch(), Text(257, u'k')},
        {"a path of 16384 characters", Scratch(), Text(16384, u'k')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        RegistryKey key = NewKey();
        key.OpenKey(Root(), Path(), kKeyRead);
        const RegistryHandle before = key.handle();
        PlantSentinelRecord();
        EXPECT_FALSE(key.CreateKey(c.root, c.subkey, u"", kOptionNonVolatile, kKeyAllAccess));
        EXPECT_EQ(0u, key.handle());
        EXPECT_FALSE(Calls().IsOpen(before)) << "the key held before stays open";
        EXPECT_TRUE(SentinelRecordKept());
    }
    EXPECT_FALSE(KeyExists("x"));
}

TEST_P(RegistryKeyBehaviour, OpenKeyOnAMissingKeyWithRightsOtherThanKeyWriteCreatesNothing) {
    PlantSentinelRecord();
    for (std::uint32_t rights : {kKeyRead, kKeyAllAccess, kKeyWrite | kKeyQueryValue,
                                 kKeySetValue | kKeyCreateSubKey, 0u}) {
        SCOPED_TRACE(rights);
        RegistryKey key = NewKey();
        key.OpenKey(Root(), Path("missing"), rights);
        EXPECT_EQ(0u, key.handle());
        EXPECT_FALSE(KeyExists("missing"));
    }
    EXPECT_EQ(0, Calls().Counts().create);
    EXPECT_TRUE(SentinelRecordKept());
}

TEST_P(RegistryKeyBehaviour, OpenKeyWithKeyWriteCreatesAMissingKeyAndHoldsItForWriting) {
    PlantSentinelRecord();
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path("made\\by\\open"), kKeyWrite);
    ASSERT_NE(0u, key.handle());
    EXPECT_TRUE(KeyExists("made\\by\\open"));
    EXPECT_TRUE(SentinelRecordKept());
    const CallCounts& counts = Calls().Counts();
    EXPECT_EQ(2, counts.open);
    EXPECT_EQ(1, counts.create);
    EXPECT_EQ(1, counts.close);
    const CreateArguments& passed = Calls().LastCreate();
    EXPECT_EQ("", passed.keyClass);
    EXPECT_EQ(kOptionNonVolatile, passed.options);
    EXPECT_EQ(kKeyAllAccess, passed.rights);

    key.value(u"w", 42);
    EXPECT_EQ(Sz("42"), GetValue("made\\by\\open", "w")->data);
    EXPECT_EQ(DynamicValue(u""), key.value(u"w"));  // KEY_WRITE has no right to read
    EXPECT_TRUE(RecordIs(kAccessDenied, u"RegistryKey.Get Value",
                         u"An error occurred while getting the registy value 'w'"));
}

TEST_P(RegistryKeyBehaviour, OpenKeyWithKeyWriteOnAnExistingKeyOnlyOpens) {
    PutKey("there");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path("there"), kKeyWrite);
    EXPECT_NE(0u, key.handle());
    EXPECT_EQ(1, Calls().Counts().open);
    EXPECT_EQ(0, Calls().Counts().create);
}

TEST_P(RegistryKeyBehaviour, OpenKeyWithKeyWriteCreatesNothingWhenTheOpenFailsOtherwise) {
    struct Case {
        const char* why;
        RegistryHandle root;
        Text subkey;
    };
    const Case cases[] = {
        {"no root", 0, u"x"},
        {"a leading backslash", Scratch(), u"\\x"},
        {"an element of 257 characters", Scratch(), Text(257, u'k')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        RegistryKey key = NewKey();
        key.OpenKey(c.root, c.subkey, kKeyWrite);
        EXPECT_EQ(0u, key.handle());
    }
    EXPECT_EQ(0, Calls().Counts().create);
}

TEST_P(RegistryKeyBehaviour, AcquiringAKeyClosesTheHeldOneFirst) {
    // Counted rather than compared: the real registry reuses handle values.
    PutKey("a");
    PutKey("b");
    RegistryKey key = NewKey();
    key.OpenKey(Root(), Path("a"), kKeyRead);
    key.OpenKey(Root(), Path("b"), kKeyRead);
    EXPECT_EQ(1, Calls().Counts().close);
    EXPECT_EQ(1u, Calls().OpenHandles());
    key.CreateKey(Root(), Path("c"), u"", kOptionNonVolatile, kKeyRead);
    EXPECT_EQ(2, Calls().Counts().close);
    EXPECT_EQ(1u, Calls().OpenHandles());
    key.OpenKey(Root(), Path("missing"), kKeyRead);
    EXPECT_EQ(0u, key.handle());
    EXPECT_EQ(3, Calls().Counts().close);
    EXPECT_EQ(0u, Calls().OpenHandles());
}

TEST_P(RegistryKeyBehaviour, HandleIsTheOpenedKeyAndDestructionClosesIt) {
    RegistryHandle held = 0;
    {
        RegistryKey key = NewKey();
        key.OpenKey(Root(), Path(), kKeyRead);
        held = key.handle();
        EXPECT_TRUE(Calls().IsOpen(held));
        EXPECT_EQ(1u, Calls().OpenHandles());
    }
    EXPECT_FALSE(Calls().IsOpen(held));
    EXPECT_EQ(1, Calls().Counts().close);
}

TEST_P(RegistryKeyBehaviour, MovingHandsTheKeyOver) {
    PutKey("other");
    RegistryKey first = NewKey();
    first.OpenKey(Root(), Path(), kKeyRead);
    const RegistryHandle held = first.handle();
    RegistryKey second(std::move(first));
    EXPECT_EQ(0u, first.handle());
    EXPECT_EQ(held, second.handle());

    RegistryKey third = NewKey();
    third.OpenKey(Root(), Path("other"), kKeyRead);
    const RegistryHandle other = third.handle();
    third = std::move(second);
    EXPECT_FALSE(Calls().IsOpen(other));
    EXPECT_EQ(held, third.handle());
    EXPECT_EQ(0u, second.handle());
    EXPECT_TRUE(Calls().IsOpen(held));
}

}  // namespace
}  // namespace brumelis::registry_tests
