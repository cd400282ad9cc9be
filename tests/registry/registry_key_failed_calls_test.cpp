// RegistryKey when calls fail in ways the real registry cannot be made to
// fail on demand: a close that fails, an open that fails after the creation,
// a size query that fails alone, an enumeration that fails half-way.
#include "tests/registry/in_memory_registry_fixture.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

const Text kCloseSource = u"RegistryKey.CloseKey";
const Text kCloseDescription = u"An error occurred while closing the registy key";

TEST_F(InMemoryRegistryKey, AFailedCloseRaisesKeepsTheHandleAndIsTriedAgain) {
    RegistryKey key(registry_);
    key.CreateKey(kCurrentUser, PathOf("held"), u"", kOptionNonVolatile, kKeyRead);
    const RegistryHandle held = key.handle();
    registry_.FailCall(RegistryCall::CloseKey, kAccessDenied);
    EXPECT_TRUE(
        RaisesFailure([&] { key.CloseKey(); }, kAccessDenied, kCloseSource, kCloseDescription));
    EXPECT_EQ(held, key.handle());
    EXPECT_TRUE(registry_.IsOpen(held));
    key.CloseKey();
    EXPECT_EQ(0u, key.handle());
    EXPECT_FALSE(registry_.IsOpen(held));
}

TEST_F(InMemoryRegistryKey, AFailedCloseStopsCreateKeyAndOpenKeyBeforeTheyAcquire) {
    RegistryKey key(registry_);
    key.CreateKey(kCurrentUser, PathOf("held"), u"", kOptionNonVolatile, kKeyRead);
    const RegistryHandle held = key.handle();

    registry_.FailCall(RegistryCall::CloseKey, kInvalidHandle);
    EXPECT_TRUE(RaisesFailure(
        [&] { key.CreateKey(kCurrentUser, PathOf("other"), u"", kOptionNonVolatile, kKeyRead); },
        kInvalidHandle, kCloseSource, kCloseDescription));
    EXPECT_FALSE(Exists("other"));
    registry_.FailCall(RegistryCall::CloseKey, kInvalidHandle);
    EXPECT_TRUE(RaisesFailure([&] { key.OpenKey(kCurrentUser, PathOf("missing"), kKeyWrite); },
                              kInvalidHandle, kCloseSource, kCloseDescription));
    EXPECT_FALSE(Exists("missing"));
    EXPECT_EQ(held, key.handle());

    key.OpenKey(kCurrentUser, PathOf("held"), kKeyRead);
    EXPECT_FALSE(registry_.IsOpen(held));
    EXPECT_EQ(1u, registry_.OpenKeyCount());
}

TEST_F(InMemoryRegistryKey, DestructionCompletesAfterAFailedCloseAndRecordsIt) {
    RegistryHandle held = 0;
    {
        RegistryKey key(registry_);
        key.CreateKey(kCurrentUser, PathOf("held"), u"", kOptionNonVolatile, kKeyRead);
        held = key.handle();
        registry_.FailCall(RegistryCall::CloseKey, kKeyDeleted);
    }
    EXPECT_TRUE(RecordIs(kKeyDeleted, kCloseSource, kCloseDescription));
    EXPECT_TRUE(registry_.IsOpen(held)) << "the handle is abandoned, not closed";
    EXPECT_EQ(0, registry_.RegCloseKey(held));
}

TEST_F(InMemoryRegistryKey, OpenKeyWithKeyWriteKeepsTheCreatedKeyWhenTheLastOpenFails) {
    registry_.FailCall(RegistryCall::OpenKeyEx, kAccessDenied, 1);
    PlantSentinelRecord();
    RegistryKey key(registry_);
    key.OpenKey(kCurrentUser, PathOf("made"), kKeyWrite);
    EXPECT_EQ(0u, key.handle());
    EXPECT_TRUE(Exists("made"));
    EXPECT_TRUE(SentinelRecordKept());
}

TEST_F(InMemoryRegistryKey, OpenKeyWithKeyWriteGivesUpWhenTheCreationFails) {
    registry_.FailCall(RegistryCall::CreateKeyEx, kAccessDenied);
    PlantSentinelRecord();
    RegistryKey key(registry_);
    key.OpenKey(kCurrentUser, PathOf("made"), kKeyWrite);
    EXPECT_EQ(0u, key.handle());
    EXPECT_FALSE(Exists("made"));
    EXPECT_TRUE(SentinelRecordKept());
}

TEST_F(InMemoryRegistryKey, OpenKeyWithKeyWriteStopsWhenClosingTheCreatedKeyFails) {
    registry_.FailCall(RegistryCall::CloseKey, kInvalidHandle);
    RegistryKey key(registry_);
    EXPECT_TRUE(RaisesFailure([&] { key.OpenKey(kCurrentUser, PathOf("made"), kKeyWrite); },
                              kInvalidHandle, kCloseSource, kCloseDescription));
    EXPECT_NE(0u, key.handle()) << "still holding the key the creation opened";
    EXPECT_TRUE(Exists("made"));
    key.value(u"v", u"all access");
    EXPECT_EQ(DynamicValue(u"all access"), key.value(u"v"));
}

TEST_F(InMemoryRegistryKey, AFailedSizeQueryIsRecordedUnlessTheDataQueryFailsToo) {
    const RegistryHandle raw = Open("values");
    ASSERT_EQ(0, registry_.RegSetValueExA(raw, "empty", 0, kTypeBinary, nullptr, 0));
    PutText(raw, "abc", "abc");
    registry_.RegCloseKey(raw);
    RegistryKey key(registry_);
    key.OpenKey(kCurrentUser, PathOf("values"), kKeyRead);

    registry_.FailCall(RegistryCall::QueryValueEx, kAccessDenied);
    EXPECT_EQ(DynamicValue(u""), key.value(u"empty"));
    EXPECT_TRUE(RecordIs(kAccessDenied, u"RegistryKey.Get Value",
                         u"Unable to get the length of the registy value 'empty'"));

    registry_.FailCall(RegistryCall::QueryValueEx, kAccessDenied);
    EXPECT_EQ(DynamicValue(u""), key.value(u"abc")) << "no room for the data";
    EXPECT_TRUE(RecordIs(kMoreData, u"RegistryKey.Get Value",
                         u"An error occurred while getting the registy value 'abc'"));
}

TEST_F(InMemoryRegistryKey, AnEnumerationFailingHalfWayLosesTheNamesFound) {
    const RegistryHandle raw = Open("lists");
    for (const char* name : {"a", "b", "c"}) {
        PutText(raw, name, "");
        RegistryHandle sub = 0;
        registry_.RegCreateKeyExA(raw, name, 0, "", 0, kKeyAllAccess, nullptr, &sub, nullptr);
        registry_.RegCloseKey(sub);
    }
    registry_.RegCloseKey(raw);
    RegistryKey key(registry_);
    key.OpenKey(kCurrentUser, PathOf("lists"), kKeyRead);
    const Text source = u"RegistryKey.GetValues";
    const Text description = u"Unable to retrieve value names for registry key";

    registry_.FailCall(RegistryCall::EnumValue, kKeyDeleted, 2);
    EXPECT_TRUE(RaisesFailure([&] { key.ValueNames(); }, kKeyDeleted, source, description));
    registry_.FailCall(RegistryCall::EnumValue, kKeyDeleted, 2);
    EXPECT_TRUE(key.SubValueNames().IsEmpty());
    EXPECT_TRUE(RecordIs(kKeyDeleted, source, description));
    registry_.FailCall(RegistryCall::EnumKey, kKeyDeleted, 2);
    EXPECT_TRUE(key.SubKeyNames().IsEmpty());
    EXPECT_TRUE(RecordIs(kKeyDeleted, source, description));
    EXPECT_EQ(Names({u"a", u"b", u"c"}), key.SubKeyNames()) << "and the next run is whole";
}

}  // namespace
}  // namespace brumelis::registry_tests
