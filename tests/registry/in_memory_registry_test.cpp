// Rules of the in-memory registry that the shared suite cannot reach: they
// concern what only it offers (failures on demand, counted keys) or keys the
// tests may not create in a real registry.
#include "tests/registry/in_memory_registry_fixture.h"

namespace brumelis::registry_tests {
namespace {

using namespace registry;

TEST_F(InMemoryRegistryKey, OnlyKeysOpenedByCallsAreCounted) {
    RegistryHandle key = 0;
    ASSERT_EQ(0, registry_.RegOpenKeyExA(kLocalMachine, "", 0, kKeyRead, &key));
    EXPECT_EQ(kLocalMachine, key);
    EXPECT_EQ(0u, registry_.OpenKeyCount());
    ASSERT_EQ(0, registry_.RegCreateKeyExA(kLocalMachine, "", 0, "", 0, kKeyRead, nullptr, &key,
                                           nullptr));
    EXPECT_EQ(1u, registry_.OpenKeyCount());
    EXPECT_EQ(0, registry_.RegCloseKey(kLocalMachine));
    EXPECT_EQ(1u, registry_.OpenKeyCount());
    EXPECT_EQ(0, registry_.RegCloseKey(key));
    EXPECT_EQ(0u, registry_.OpenKeyCount());
}

TEST_F(InMemoryRegistryKey, AClosedHandleStaysInvalid) {
    const RegistryHandle first = Open("a");
    registry_.RegCloseKey(first);
    const RegistryHandle second = Open("a");
    EXPECT_NE(first, second);
    std::uint32_t size = 0;
    EXPECT_EQ(kInvalidHandle,
              registry_.RegQueryValueExA(first, "", nullptr, nullptr, nullptr, &size));
    registry_.RegCloseKey(second);
}

TEST_F(InMemoryRegistryKey, ACallToldToFailChangesNothing) {
    registry_.FailCall(RegistryCall::CreateKeyEx, kAccessDenied, 1);
    const RegistryHandle first = Open("first");
    RegistryHandle second = 0;
    EXPECT_EQ(kAccessDenied,
              registry_.RegCreateKeyExA(kCurrentUser, "Software\\Tests\\second", 0, "", 0,
                                        kKeyAllAccess, nullptr, &second, nullptr));
    EXPECT_EQ(0u, second);
    EXPECT_FALSE(Exists("second"));
    registry_.FailCall(RegistryCall::DeleteKey, kKeyDeleted);
    EXPECT_EQ(kKeyDeleted, registry_.RegDeleteKeyA(first, ""));
    EXPECT_TRUE(Exists("first"));
    registry_.RegCloseKey(first);
}

TEST_F(InMemoryRegistryKey, VolatileKeysTakeOnlyVolatileSubkeys) {
    RegistryHandle parent = 0;
    RegistryHandle child = 0;
    ASSERT_EQ(0, registry_.RegCreateKeyExA(kCurrentUser, "Volatile", 0, "", kOptionVolatile,
                                           kKeyAllAccess, nullptr, &parent, nullptr));
    EXPECT_EQ(1021, registry_.RegCreateKeyExA(parent, "stable", 0, "", kOptionNonVolatile,
                                              kKeyAllAccess, nullptr, &child, nullptr));
    ASSERT_EQ(0, registry_.RegCreateKeyExA(parent, "volatile", 0, "", kOptionVolatile,
                                           kKeyAllAccess, nullptr, &child, nullptr));
    registry_.RegCloseKey(child);
    registry_.RegCloseKey(parent);
}

TEST_F(InMemoryRegistryKey, APredefinedRootCannotBeDeleted) {
    EXPECT_EQ(kAccessDenied, registry_.RegDeleteKeyA(kCurrentUser, ""));
    RegistryKey key(registry_);
    EXPECT_TRUE(RaisesFailure([&] { key.DeleteKey(kLocalMachine, u""); }, kAccessDenied,
                              u"RegistryKey.DeleteKey", u"Unable to delete registry key ''"));
}

}  // namespace
}  // namespace brumelis::registry_tests
