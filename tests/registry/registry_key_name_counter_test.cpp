// The 16-bit name counters of the three enumerations at 32767 names and past.
#include "tests/registry/in_memory_registry_fixture.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

const Text kOverflow = u"Dépassement de capacité";

class NameCounters : public InMemoryRegistryKey {
protected:
    void TearDown() override {
        key_.CloseKey();
        InMemoryRegistryKey::TearDown();
    }

    // `count` values v00000... and as many subkeys k00000..., in sorted order.
    void Fill(int count) {
        const RegistryHandle raw = Open("many");
        for (int i = 0; i < count; ++i) {
            PutText(raw, Numbered('v', i), "");
            RegistryHandle sub = 0;
            ASSERT_EQ(0, registry_.RegCreateKeyExA(raw, Numbered('k', i), 0, "", 0, kKeyRead,
                                                   nullptr, &sub, nullptr));
            registry_.RegCloseKey(sub);
        }
        registry_.RegCloseKey(raw);
        key_.OpenKey(kCurrentUser, PathOf("many"), kKeyRead);
        ASSERT_NE(0u, key_.handle());
    }
    static Text Name(char prefix, int number) {
        const std::string name = Numbered(prefix, number);
        return Text(name.begin(), name.end());
    }

    RegistryKey key_{registry_};
};

TEST_F(NameCounters, ThirtyTwoThousandSevenHundredSixtySevenNamesFit) {
    Fill(32767);
    const Text* last[] = {nullptr, nullptr, nullptr};
    const DynamicValue lists[] = {key_.ValueNames(), key_.SubValueNames(), key_.SubKeyNames()};
    EXPECT_TRUE(RecordIsClear());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(lists[i].IsArray());
        ASSERT_EQ(32767, lists[i].AsArray().UpperBound());
        last[i] = &lists[i].AsArray().At(32767);
    }
    EXPECT_EQ(Name('v', 32766), *last[0]);
    EXPECT_EQ(Name('v', 32766), *last[1]);
    EXPECT_EQ(Name('k', 32766), *last[2]);
}

TEST_F(NameCounters, TheDefaultValueDoesNotCountInValueNames) {
    Fill(32767);
    const RegistryHandle raw = Open("many");
    PutText(raw, "", "default");
    registry_.RegCloseKey(raw);
    EXPECT_EQ(32767, key_.ValueNames().AsArray().UpperBound());
    EXPECT_TRUE(key_.SubValueNames().IsArray());
    EXPECT_TRUE(RecordIs(6, u"RegistryKey.SubValueNames", kOverflow));
}

TEST_F(NameCounters, ValueNamesRaisesTheOverflowAtTheNextName) {
    Fill(32768);
    EXPECT_TRUE(RaisesFailure([&] { key_.ValueNames(); }, 6, u"RegistryKey.ValueNames", kOverflow));
}

TEST_F(NameCounters, TheRecordingListsStoreFurtherNamesOverTheLastElement) {
    struct Case {
        int names;
        int lastStored;
    };
    for (const Case& c : {Case{32768, 32767}, Case{32770, 32769}}) {
        SCOPED_TRACE(c.names);
        key_.CloseKey();
        Fill(c.names);
        const DynamicValue values = key_.SubValueNames();
        EXPECT_TRUE(RecordIs(6, u"RegistryKey.SubValueNames", kOverflow));
        const DynamicValue keys = key_.SubKeyNames();
        EXPECT_TRUE(RecordIs(6, u"RegistryKey.SubKeyNames", kOverflow));
        ASSERT_TRUE(values.IsArray());
        ASSERT_TRUE(keys.IsArray());
        EXPECT_EQ(32767, values.AsArray().UpperBound());
        EXPECT_EQ(32767, keys.AsArray().UpperBound());
        EXPECT_EQ(Name('v', c.lastStored), values.AsArray().At(32767));
        EXPECT_EQ(Name('k', c.lastStored), keys.AsArray().At(32767));
        EXPECT_EQ(Name('v', 32765), values.AsArray().At(32766));
    }
}

}  // namespace
}  // namespace brumelis::registry_tests
