// The behaviour suite over advapi32: the real registry, under Wine here and
// unchanged on Windows.
#include <windows.h>

#include "platform/win32/win32_registry_calls.h"
#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {

INSTANTIATE_TEST_SUITE_P(Win32, RegistryKeyBehaviour,
                         ::testing::Values(&MakeBackend<Win32RegistryCalls>));

TEST(Win32RegistryRoots, AreTheValuesOfTheSystemHeaders) {
    EXPECT_EQ(reinterpret_cast<RegistryHandle>(HKEY_CLASSES_ROOT), registry::kClassesRoot);
    EXPECT_EQ(reinterpret_cast<RegistryHandle>(HKEY_CURRENT_USER), registry::kCurrentUser);
    EXPECT_EQ(reinterpret_cast<RegistryHandle>(HKEY_LOCAL_MACHINE), registry::kLocalMachine);
    EXPECT_EQ(reinterpret_cast<RegistryHandle>(HKEY_USERS), registry::kUsers);
    EXPECT_EQ(reinterpret_cast<RegistryHandle>(HKEY_CURRENT_CONFIG), registry::kCurrentConfig);
    EXPECT_EQ(static_cast<std::uint32_t>(KEY_WRITE), registry::kKeyWrite);
    EXPECT_EQ(static_cast<std::uint32_t>(KEY_READ), registry::kKeyRead);
    EXPECT_EQ(static_cast<std::uint32_t>(KEY_ALL_ACCESS), registry::kKeyAllAccess);
    EXPECT_EQ(static_cast<std::int32_t>(ERROR_KEY_DELETED), registry::kKeyDeleted);
}

}  // namespace brumelis::registry_tests
