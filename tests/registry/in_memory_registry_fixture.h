// Tests of RegistryKey that need what only the in-memory registry can do:
// calls told to fail, open keys counted, tens of thousands of names at once.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/fake/in_memory_registry.h"
#include "registry/registry_key.h"
#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {

class InMemoryRegistryKey : public ::testing::Test {
protected:
    void SetUp() override { ClearLastError(); }
    void TearDown() override {
        EXPECT_EQ(0u, registry_.PendingFailures()) << "a failure was asked for but never met";
        EXPECT_EQ(0u, registry_.OpenKeyCount()) << "keys left open";
    }

    // A key below HKEY_CURRENT_USER, with its path as RegistryKey takes it.
    static Text PathOf(const std::string& below) {
        return Text(u"Software\\Tests\\") + Text(below.begin(), below.end());
    }
    RegistryHandle Open(const std::string& below) {
        RegistryHandle key = 0;
        const SecurityAttributes security{};
        EXPECT_EQ(
            0, registry_.RegCreateKeyExA(registry::kCurrentUser, "Software\\Tests\\" + below, 0, "",
                                         0, registry::kKeyAllAccess, &security, &key, nullptr));
        return key;
    }
    bool Exists(const std::string& below) {
        RegistryHandle key = 0;
        const std::int32_t r = registry_.RegOpenKeyExA(
            registry::kCurrentUser, "Software\\Tests\\" + below, 0, registry::kKeyRead, &key);
        if (r == 0) registry_.RegCloseKey(key);
        return r == 0;
    }
    void PutText(RegistryHandle key, const std::string& name, const std::string& text) {
        ASSERT_EQ(0, registry_.RegSetValueExA(key, name, 0, registry::kTypeText,
                                              reinterpret_cast<const std::uint8_t*>(text.c_str()),
                                              static_cast<std::uint32_t>(text.size() + 1)));
    }
    static std::string Numbered(char prefix, int number) {
        char name[16];
        std::snprintf(name, sizeof name, "%c%05d", prefix, number);
        return name;
    }

    InMemoryRegistry registry_;
};

}  // namespace brumelis::registry_tests
