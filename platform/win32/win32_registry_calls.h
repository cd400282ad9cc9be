// The registry calls over advapi32's A functions: texts go through unchanged,
// since they already are in the system code page.
#pragma once

#include "platform/registry_calls.h"

namespace brumelis {

class Win32RegistryCalls final : public RegistryCalls {
public:
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
};

}  // namespace brumelis
