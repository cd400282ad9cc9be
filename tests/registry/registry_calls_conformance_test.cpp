// The registry calls themselves, on the statuses and side effects RegistryKey
// relies on. Run against the in-memory registry and the real one, these keep
// the two in step. Each row records what the real calls answered under Wine.
#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

const SecurityAttributes kNoSecurity{};

std::int32_t Create(RegistryCalls& calls, RegistryHandle root, const std::string& path,
                    RegistryHandle* key, std::uint32_t rights = kKeyAllAccess) {
    std::uint32_t disposition = 0;
    return calls.RegCreateKeyExA(root, path, 0, "", 0, rights, &kNoSecurity, key, &disposition);
}

std::int32_t SetText(RegistryCalls& calls, RegistryHandle key, const std::string& name,
                     const std::string& text, std::uint32_t size) {
    return calls.RegSetValueExA(key, name, 0, kTypeText,
                                reinterpret_cast<const std::uint8_t*>(text.c_str()), size);
}

std::uint32_t QuerySize(RegistryCalls& calls, RegistryHandle key, const std::string& name) {
    std::uint32_t size = 0xDEADu;
    std::uint32_t type = 0;
    EXPECT_EQ(0, calls.RegQueryValueExA(key, name, nullptr, &type, nullptr, &size));
    return size;
}

TEST_P(RegistryKeyBehaviour, CallsAnswerWithTheStatusesOfWindows) {
    RegistryCalls& calls = Backend();
    const RegistryHandle scratch = Scratch();
    PutText("", "v", "abc");
    PutKey("parent\\child");
    char name[16] = "sentinel";
    std::uint32_t capacity = sizeof name;
    std::uint32_t type = 0;
    std::uint8_t data[2] = {'-', '-'};
    std::uint32_t size = 2;
    RegistryHandle key = 7;

    struct Row {
        const char* why;
        std::int32_t actual;
        std::int32_t expected;
    };
    const Row rows[] = {
        {"close no handle", calls.RegCloseKey(0), kInvalidHandle},
        {"close a predefined root", calls.RegCloseKey(kCurrentUser), 0},
        {"open a missing key", calls.RegOpenKeyExA(scratch, "missing\\deeper", 0, kKeyRead, &key),
         kFileNotFound},
        {"open below no handle", calls.RegOpenKeyExA(0, "x", 0, kKeyRead, &key), kInvalidHandle},
        {"open a leading backslash", calls.RegOpenKeyExA(scratch, "\\parent", 0, kKeyRead, &key),
         kBadPathname},
        {"create with reserved set",
         calls.RegCreateKeyExA(scratch, "r", 1, "", 0, kKeyAllAccess, &kNoSecurity, &key, nullptr),
         kInvalidParameter},
        {"query a missing value",
         calls.RegQueryValueExA(scratch, "missing", nullptr, &type, nullptr, &size), kFileNotFound},
        {"query into a buffer too small",
         calls.RegQueryValueExA(scratch, "v", nullptr, &type, data, &size), kMoreData},
        {"query data without a size",
         calls.RegQueryValueExA(scratch, "v", nullptr, &type, data, nullptr), kInvalidParameter},
        {"set data that is not there",
         calls.RegSetValueExA(scratch, "n", 0, kTypeBinary, nullptr, 3), 998},
        {"list a value name that does not fit",
         (capacity = 1,
          calls.RegEnumValueA(scratch, 0, name, &capacity, nullptr, &type, nullptr, nullptr)),
         kMoreData},
        {"list values past the last",
         (capacity = sizeof name,
          calls.RegEnumValueA(scratch, 1, name, &capacity, nullptr, &type, nullptr, nullptr)),
         kNoMoreItems},
        {"list a subkey name that does not fit", calls.RegEnumKeyA(scratch, 0, name, 3), kMoreData},
        {"list subkeys past the last", calls.RegEnumKeyA(scratch, 1, name, sizeof name),
         kNoMoreItems},
        {"delete a key with a subkey", calls.RegDeleteKeyA(scratch, "parent"), kAccessDenied},
        {"delete a missing key", calls.RegDeleteKeyA(scratch, "missing"), kFileNotFound},
        {"delete a missing value", calls.RegDeleteValueA(scratch, "missing"), kFileNotFound},
        {"delete a value with no handle", calls.RegDeleteValueA(0, "v"), kInvalidHandle},
    };
    for (const Row& row : rows) EXPECT_EQ(row.expected, row.actual) << row.why;
    EXPECT_EQ(0u, key) << "a failed open writes no handle";
    EXPECT_EQ(4u, size) << "a buffer too small learns the size";
    EXPECT_EQ('-', data[0]) << "and is left alone";
}

TEST_P(RegistryKeyBehaviour, CallsStoreTextAsNtDoes) {
    RegistryCalls& calls = Backend();
    const RegistryHandle scratch = Scratch();
    EXPECT_EQ(0, SetText(calls, scratch, "short by one", "abc", 3));
    EXPECT_EQ(4u, QuerySize(calls, scratch, "short by one")) << "the NUL after the data is counted";
    EXPECT_EQ(0, SetText(calls, scratch, "no nul", "abcX", 3));
    EXPECT_EQ(3u, QuerySize(calls, scratch, "no nul"));
    EXPECT_EQ(0, SetText(calls, scratch, "nothing", "", 0));
    EXPECT_EQ(0u, QuerySize(calls, scratch, "nothing"));
    EXPECT_EQ(0, SetText(calls, scratch, "NOTHING", "xy", 3));
    EXPECT_EQ(3u, QuerySize(calls, scratch, "Nothing")) << "one value whatever the case";

    char name[16];
    std::uint32_t capacity = sizeof name;
    std::uint32_t type = 0;
    ASSERT_EQ(0,
              calls.RegEnumValueA(scratch, 0, name, &capacity, nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(std::string(name).size(), capacity) << "length without the NUL";
}

TEST_P(RegistryKeyBehaviour, CallsRespectTheRightsOfAHandle) {
    RegistryCalls& calls = Backend();
    PutText("", "v", "abc");
    PutKey("sub");
    RegistryHandle readOnly = 0;
    RegistryHandle writeOnly = 0;
    ASSERT_EQ(0, calls.RegOpenKeyExA(Scratch(), "", 0, kKeyRead, &readOnly));
    ASSERT_EQ(0, calls.RegOpenKeyExA(Scratch(), "", 0, kKeyWrite, &writeOnly));
    char name[16];
    std::uint32_t capacity = sizeof name;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(kAccessDenied, SetText(calls, readOnly, "v", "x", 2));
    EXPECT_EQ(kAccessDenied, calls.RegDeleteValueA(readOnly, "v"));
    EXPECT_EQ(kAccessDenied,
              calls.RegQueryValueExA(writeOnly, "v", nullptr, &type, nullptr, &size));
    EXPECT_EQ(kAccessDenied,
              calls.RegEnumValueA(writeOnly, 0, name, &capacity, nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(kAccessDenied, calls.RegEnumKeyA(writeOnly, 0, name, sizeof name));
    EXPECT_EQ(0, calls.RegDeleteKeyA(readOnly, "sub")) << "deleting asks nothing of the parent";
    EXPECT_EQ(0, calls.RegCloseKey(readOnly));
    EXPECT_EQ(0, calls.RegCloseKey(writeOnly));
    EXPECT_EQ(kInvalidHandle, calls.RegCloseKey(writeOnly)) << "closed once only";
}

TEST_P(RegistryKeyBehaviour, CallsOnADeletedKeyAnswerKeyDeleted) {
    RegistryCalls& calls = Backend();
    RegistryHandle doomed = 0;
    ASSERT_EQ(0, Create(calls, Scratch(), "doomed", &doomed));
    ASSERT_EQ(0, calls.RegDeleteKeyA(Scratch(), "doomed"));
    char name[16];
    std::uint32_t capacity = sizeof name;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    RegistryHandle child = 0;
    EXPECT_EQ(kKeyDeleted, calls.RegQueryValueExA(doomed, "v", nullptr, &type, nullptr, &size));
    EXPECT_EQ(kKeyDeleted, SetText(calls, doomed, "v", "x", 2));
    EXPECT_EQ(kKeyDeleted,
              calls.RegEnumValueA(doomed, 0, name, &capacity, nullptr, &type, nullptr, nullptr));
    EXPECT_EQ(kKeyDeleted, calls.RegEnumKeyA(doomed, 0, name, sizeof name));
    EXPECT_EQ(kKeyDeleted, Create(calls, doomed, "child", &child));
    EXPECT_EQ(kKeyDeleted, calls.RegOpenKeyExA(doomed, "", 0, kKeyRead, &child));
    EXPECT_EQ(kKeyDeleted, calls.RegDeleteKeyA(doomed, ""));
    EXPECT_EQ(kKeyDeleted, calls.RegDeleteValueA(doomed, "v"));
    EXPECT_EQ(0, calls.RegCloseKey(doomed));
    EXPECT_FALSE(KeyExists("doomed"));
}

}  // namespace
}  // namespace brumelis::registry_tests
