// Ten thousand operations drawn at random over a few instances, with calls
// failing on purpose along the way: no operation may leave a key open that
// no instance holds.
#include <map>
#include <optional>
#include <random>
#include <set>
#include <vector>

#include "platform/code_page.h"
#include "tests/registry/in_memory_registry_fixture.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

class HandleBalance : public InMemoryRegistryKey {
protected:
    template <typename T>
    const T& Pick(const std::vector<T>& choices) {
        return choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random_)];
    }
    int Roll(int sides) { return std::uniform_int_distribution<int>(0, sides - 1)(random_); }

    void Met(const std::string& what) { ++met_[what]; }
    void MetFailure(const ErrorRecord& record) {
        Met(ToCodePage(record.source));
        statuses_.insert(record.number);
    }

    // Keys held by live instances, plus keys abandoned by failed destructions.
    // A predefined root that an instance holds was never opened.
    std::size_t ExpectedOpenKeys() const {
        std::size_t held = abandoned_.size();
        for (const auto& key : keys_)
            if (key && key->handle() != 0 && key->handle() != kCurrentUser) ++held;
        return held;
    }

    void Destroy(std::optional<RegistryKey>& key) {
        const RegistryHandle held = key->handle();
        ClearLastError();
        key.reset();
        if (held != 0 && registry_.IsOpen(held)) {
            abandoned_.insert(held);
            MetFailure(LastError());
            Met("destruction");
        }
    }

    void RunOne(RegistryKey& key, RegistryHandle otherHandle);

    std::mt19937 random_{20240607u};
    std::vector<std::optional<RegistryKey>> keys_ = std::vector<std::optional<RegistryKey>>(4);
    std::set<RegistryHandle> abandoned_;
    std::map<std::string, int> met_;
    std::set<std::int32_t> statuses_;
};

void HandleBalance::RunOne(RegistryKey& key, RegistryHandle otherHandle) {
    static const std::vector<Text> paths = {u"Software\\Balance\\a",
                                            u"Software\\Balance\\a\\b",
                                            u"Software\\Balance\\missing",
                                            u"\\Software",
                                            Text(300, u'p'),
                                            u""};
    static const std::vector<Text> names = {u"v", u"", u"missing", Text(600, u'n'), u"w"};
    static const std::vector<DynamicValue> values = {
        DynamicValue(42),   DynamicValue(u"text"),           DynamicValue::Null(),
        DynamicValue(1.5f), DynamicValue(TextArray({u"a"})), DynamicValue()};
    const std::vector<RegistryHandle> roots = {kCurrentUser, kCurrentUser, 0, 0x1234, otherHandle};
    const std::vector<std::uint32_t> rights = {kKeyWrite, kKeyRead, kKeyAllAccess, kKeySetValue, 0};

    switch (Roll(12)) {
        case 0:
            if (!key.CreateKey(Pick(roots), Pick(paths), u"", kOptionNonVolatile, Pick(rights)) &&
                key.handle() == 0)
                Met("CreateKey failed");
            break;
        case 1:
            key.OpenKey(Pick(roots), Pick(paths), Pick(rights));
            if (key.handle() == 0) Met("OpenKey failed");
            break;
        case 2: key.CloseKey(); break;
        case 3: key.value(Pick(names)); break;
        case 4: key.value(Pick(names), Pick(values)); break;
        case 5: key.ValueNames(); break;
        case 6: key.SubKeyNames(); break;
        case 7: key.SubValueNames(); break;
        case 8: key.DeleteKey(Pick(roots), Pick(paths)); break;
        case 9: key.DeleteSubKey(Roll(4) == 0 ? Text() : u"b"); break;
        case 10: key.DeleteValue(Pick(names)); break;
        default: {
            // A value name too long for either enumeration buffer.
            RegistryHandle raw = 0;
            if (registry_.RegOpenKeyExA(kCurrentUser, "Software\\Balance\\a", 0, kKeySetValue,
                                        &raw) == 0) {
                const std::string name(Roll(2) ? 600 : 5000, 'n');
                registry_.RegSetValueExA(raw, name, 0, kTypeText, nullptr, 0);
                while (registry_.RegCloseKey(raw) != 0) {
                    // a close told to fail; this handle is the test's own
                }
            }
        }
    }
}

TEST_F(HandleBalance, AfterTenThousandMixedOperationsNoKeyIsLeftOpen) {
    const std::vector<RegistryCall> kinds = {
        RegistryCall::CreateKeyEx,  RegistryCall::OpenKeyEx,  RegistryCall::CloseKey,
        RegistryCall::QueryValueEx, RegistryCall::SetValueEx, RegistryCall::EnumValue,
        RegistryCall::EnumKey,      RegistryCall::DeleteKey,  RegistryCall::DeleteValue};
    const std::vector<std::int32_t> injected = {kAccessDenied, kInvalidHandle, kKeyDeleted};

    for (int step = 0; step < 10000; ++step) {
        auto& slot = keys_[static_cast<std::size_t>(Roll(4))];
        if (Roll(8) == 0) registry_.FailCall(Pick(kinds), Pick(injected), Roll(3));
        if (!slot) {
            slot.emplace(registry_);
        } else if (Roll(20) == 0) {
            Destroy(slot);
        } else if (Roll(30) == 0) {
            auto& source = keys_[static_cast<std::size_t>(Roll(4))];
            if (source && &source != &slot) {
                try {
                    *slot = std::move(*source);
                } catch (const Failure& failure) {
                    MetFailure(failure.Record());
                }
            }
        } else {
            const auto& other = keys_[static_cast<std::size_t>(Roll(4))];
            ClearLastError();
            try {
                RunOne(*slot, other ? other->handle() : 0);
                if (LastError().number != 0) MetFailure(LastError());
            } catch (const Failure& failure) {
                MetFailure(failure.Record());
            }
        }
        ASSERT_EQ(ExpectedOpenKeys(), registry_.OpenKeyCount()) << "after step " << step;
    }
    for (auto& key : keys_)
        if (key) Destroy(key);
    registry_.ClearFailures();
    for (RegistryHandle handle : abandoned_) EXPECT_EQ(0, registry_.RegCloseKey(handle));
    EXPECT_EQ(0u, registry_.OpenKeyCount());

    for (const char* path :
         {"RegistryKey.CloseKey", "RegistryKey.Get Value", "RegistryKey.GetValues",
          "RegistryKey.DeleteKey", "RegistryKey.DeleteSubKey", "RegistryKey.DeleteValue",
          "DynamicValue", "destruction", "CreateKey failed", "OpenKey failed"})
        EXPECT_GT(met_[path], 0) << path << " was never met";
    for (std::int32_t status :
         {kFileNotFound, kAccessDenied, kInvalidHandle, kMoreData, kKeyDeleted})
        EXPECT_EQ(1u, statuses_.count(status)) << "status " << status << " was never met";
    for (const auto& [what, times] : met_) std::printf("  %-28s %d\n", what.c_str(), times);
    std::printf("  keys abandoned by a failed destruction: %zu\n", abandoned_.size());
}

}  // namespace
}  // namespace brumelis::registry_tests
