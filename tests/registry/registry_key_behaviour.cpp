#include "tests/registry/registry_key_behaviour.h"

#include <chrono>
#include <cstdio>
#include <random>

#include "platform/code_page.h"

namespace brumelis::registry_tests {

namespace {

std::string UniqueToken() {
    static const std::uint64_t run =
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    static int test = 0;
    char token[40];
    std::snprintf(token, sizeof token, "%016llx-%d", static_cast<unsigned long long>(run), ++test);
    return token;
}

std::string Describe(const ErrorRecord& record) {
    return std::to_string(record.number) + " / \"" + ToCodePage(record.source) + "\" / \"" +
           ToCodePage(record.description) + "\"";
}

::testing::AssertionResult Matches(const char* what, const ErrorRecord& actual, std::int32_t number,
                                   const Text& source, const Text& description) {
    if (actual.number == number && actual.source == source && actual.description == description)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << what << " " << Describe(actual) << ", expected "
                                         << Describe(ErrorRecord{number, source, description});
}

const ErrorRecord kSentinel{-12345, u"sentinel source", u"sentinel description"};

}  // namespace

bool DeleteTree(RegistryCalls& calls, RegistryHandle root, const std::string& path) {
    RegistryHandle key = 0;
    if (calls.RegOpenKeyExA(root, path, 0, registry::kKeyAllAccess, &key) != 0) return true;
    char name[1024];
    bool emptied = true;
    while (emptied && calls.RegEnumKeyA(key, 0, name, sizeof name) == 0)
        emptied = DeleteTree(calls, key, name);
    calls.RegCloseKey(key);
    return emptied && calls.RegDeleteKeyA(root, path) == 0;
}

::testing::AssertionResult RaisesFailure(const std::function<void()>& operation,
                                         std::int32_t number, const Text& source,
                                         const Text& description) {
    try {
        operation();
    } catch (const Failure& failure) {
        return Matches("raised", failure.Record(), number, source, description);
    }
    return ::testing::AssertionFailure()
           << "nothing raised, expected " << Describe(ErrorRecord{number, source, description});
}

::testing::AssertionResult RecordIs(std::int32_t number, const Text& source,
                                    const Text& description) {
    return Matches("recorded", LastError(), number, source, description);
}

::testing::AssertionResult RecordIsClear() {
    return RecordIs(0, Text(), Text());
}

void PlantSentinelRecord() {
    RecordError(Failure(kSentinel.number, kSentinel.source, kSentinel.description));
}

::testing::AssertionResult SentinelRecordKept() {
    return Matches("record", LastError(), kSentinel.number, kSentinel.source,
                   kSentinel.description);
}

void RegistryKeyBehaviour::SetUp() {
    backend_ = GetParam()();
    tracker_ = std::make_unique<TrackingRegistryCalls>(Backend());
    scratchPath_ = "Software\\BrumelisRegistryTest-" + UniqueToken();
    ASSERT_TRUE(DeleteTree(Backend(), registry::kCurrentUser, scratchPath_));
    const SecurityAttributes security{};
    std::uint32_t disposition = 0;
    ASSERT_EQ(
        0, Backend().RegCreateKeyExA(registry::kCurrentUser, scratchPath_, 0, "", 0,
                                     registry::kKeyAllAccess, &security, &scratch_, &disposition));
    ASSERT_EQ(registry::kCreatedNewKey, disposition);
    ClearLastError();
}

void RegistryKeyBehaviour::TearDown() {
    EXPECT_EQ(0u, tracker_->OpenHandles()) << "key handles left open by the test";
    Backend().RegCloseKey(scratch_);
    EXPECT_TRUE(DeleteTree(Backend(), registry::kCurrentUser, scratchPath_));
    RegistryHandle left = 0;
    EXPECT_EQ(registry::kFileNotFound, Backend().RegOpenKeyExA(registry::kCurrentUser, scratchPath_,
                                                               0, registry::kKeyRead, &left));
}

Text RegistryKeyBehaviour::Path(const std::string& below) const {
    return FromCodePage(below.empty() ? scratchPath_ : scratchPath_ + "\\" + below);
}

RegistryHandle RegistryKeyBehaviour::OpenBelow(const std::string& below) {
    RegistryHandle key = 0;
    const SecurityAttributes security{};
    std::uint32_t disposition = 0;
    EXPECT_EQ(0, Backend().RegCreateKeyExA(scratch_, below, 0, "", 0, registry::kKeyAllAccess,
                                           &security, &key, &disposition))
        << below;
    return key;
}

void RegistryKeyBehaviour::PutKey(const std::string& below) {
    Backend().RegCloseKey(OpenBelow(below));
}

void RegistryKeyBehaviour::PutValue(const std::string& below, const std::string& name,
                                    std::uint32_t type, const std::string& bytes,
                                    std::uint32_t size) {
    const RegistryHandle key = OpenBelow(below);
    EXPECT_EQ(0,
              Backend().RegSetValueExA(key, name, 0, type,
                                       reinterpret_cast<const std::uint8_t*>(bytes.c_str()), size))
        << name;
    Backend().RegCloseKey(key);
}

void RegistryKeyBehaviour::PutText(const std::string& below, const std::string& name,
                                   const std::string& text) {
    PutValue(below, name, registry::kTypeText, text, static_cast<std::uint32_t>(text.size() + 1));
}

bool RegistryKeyBehaviour::KeyExists(const std::string& below) {
    RegistryHandle key = 0;
    const std::int32_t r = Backend().RegOpenKeyExA(scratch_, below, 0, registry::kKeyRead, &key);
    if (r == 0) Backend().RegCloseKey(key);
    return r == 0;
}

std::optional<StoredValue> RegistryKeyBehaviour::GetValue(const std::string& below,
                                                          const std::string& name) {
    RegistryHandle key = 0;
    if (Backend().RegOpenKeyExA(scratch_, below, 0, registry::kKeyRead, &key) != 0)
        return std::nullopt;
    StoredValue value;
    std::uint32_t size = 0;
    std::int32_t r = Backend().RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    if (r == 0) {
        value.data.assign(size, '\0');
        r = Backend().RegQueryValueExA(key, name, nullptr, &value.type,
                                       reinterpret_cast<std::uint8_t*>(value.data.data()), &size);
    }
    Backend().RegCloseKey(key);
    if (r != 0) return std::nullopt;
    return value;
}

}  // namespace brumelis::registry_tests
