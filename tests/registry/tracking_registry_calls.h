// Passes every registry call on to a backend and keeps count: calls of each
// kind, the handles opened and not closed yet, and the arguments of the
// latest creation and write. Works over any backend, so the
// same counts hold against the real registry.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "platform/registry_calls.h"

namespace brumelis::registry_tests {

struct CallCounts {
    int create = 0;
    int open = 0;
    int close = 0;
    int query = 0;
    int set = 0;
    int enumValue = 0;
    int enumKey = 0;
    int deleteKey = 0;
    int deleteValue = 0;
    int Total() const {
        return create + open + close + query + set + enumValue + enumKey + deleteKey + deleteValue;
    }
};

struct CreateArguments {
    std::uint32_t reserved = 0xFFFFFFFFu;
    std::string keyClass = "<none>";
    std::uint32_t options = 0xFFFFFFFFu;
    std::uint32_t rights = 0;
    bool security = false;
    bool inheritHandle = true;
};

struct SetArguments {
    std::uint32_t reserved = 0xFFFFFFFFu;
    std::uint32_t type = 0xFFFFFFFFu;
    std::string data;  // as many bytes as the size passed
};

class TrackingRegistryCalls final : public RegistryCalls {
public:
    explicit TrackingRegistryCalls(RegistryCalls& backend) : backend_(backend) {}

    const CallCounts& Counts() const { return counts_; }
    std::size_t OpenHandles() const { return open_.size(); }
    bool IsOpen(RegistryHandle key) const { return open_.count(key) != 0; }
    const CreateArguments& LastCreate() const { return lastCreate_; }
    const SetArguments& LastSet() const { return lastSet_; }

    std::int32_t RegCreateKeyExA(RegistryHandle key, const std::string& subKey,
                                 std::uint32_t reserved, const std::string& keyClass,
                                 std::uint32_t options, std::uint32_t rights,
                                 const SecurityAttributes* security, RegistryHandle* result,
                                 std::uint32_t* disposition) override;
    std::int32_t RegOpenKeyExA(RegistryHandle key, const std::string& subKey, std::uint32_t options,
                               std::uint32_t rights, RegistryHandle* result) override;
    std::int32_t RegCloseKey(RegistryHandle key) override;
    std::int32_t RegQueryValueExA(RegistryHandle key, const std::string& name,
                                  std::uint32_t* reserved, std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* dataSize) override;
    std::int32_t RegSetValueExA(RegistryHandle key, const std::string& name, std::uint32_t reserved,
                                std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t dataSize) override;
    std::int32_t RegEnumValueA(RegistryHandle key, std::uint32_t index, char* name,
                               std::uint32_t* nameCapacity, std::uint32_t* reserved,
                               std::uint32_t* type, std::uint8_t* data,
                               std::uint32_t* dataSize) override;
    std::int32_t RegEnumKeyA(RegistryHandle key, std::uint32_t index, char* name,
                             std::uint32_t nameCapacity) override;
    std::int32_t RegDeleteKeyA(RegistryHandle key, const std::string& subKey) override;
    std::int32_t RegDeleteValueA(RegistryHandle key, const std::string& name) override;

private:
    RegistryCalls& backend_;
    CallCounts counts_;
    std::set<RegistryHandle> open_;
    CreateArguments lastCreate_;
    SetArguments lastSet_;
};

}  // namespace brumelis::registry_tests
