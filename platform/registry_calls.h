// The registry calls that RegistryKey makes, one method per advapi32 call, with
// portable types. Texts are bytes in the system's 8-bit code page and end at
// their first NUL, as the C strings of the real calls do. Every method returns
// the call's status (0 on success, otherwise a Windows error code).
#pragma once

#include <cstdint>
#include <string>

namespace brumelis {

// An open key or a predefined root; 0 means none. Pointer-sized, as on Win64.
using RegistryHandle = std::uintptr_t;

// The platform's own numbers, the same on every backend.
namespace registry {

// Predefined roots are sign-extended 32-bit values, as the Windows headers
// define them on both 32- and 64-bit builds.
constexpr RegistryHandle PredefinedRoot(std::uint32_t value) {
    return static_cast<RegistryHandle>(
        static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
constexpr RegistryHandle kClassesRoot = PredefinedRoot(0x80000000u);
constexpr RegistryHandle kCurrentUser = PredefinedRoot(0x80000001u);
constexpr RegistryHandle kLocalMachine = PredefinedRoot(0x80000002u);
constexpr RegistryHandle kUsers = PredefinedRoot(0x80000003u);
constexpr RegistryHandle kCurrentConfig = PredefinedRoot(0x80000005u);

constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyNotify = 0x0010;
constexpr std::uint32_t kKeyCreateLink = 0x0020;
constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kReadControl = 0x00020000;
constexpr std::uint32_t kKeyRead = 0x00020019;
constexpr std::uint32_t kKeyWrite = 0x00020006;
constexpr std::uint32_t kKeyAllAccess = 0x000F003F;

constexpr std::uint32_t kOptionNonVolatile = 0;
constexpr std::uint32_t kOptionVolatile = 1;

constexpr std::uint32_t kCreatedNewKey = 1;
constexpr std::uint32_t kOpenedExistingKey = 2;

constexpr std::uint32_t kTypeNone = 0;
constexpr std::uint32_t kTypeText = 1;  // REG_SZ
constexpr std::uint32_t kTypeBinary = 3;
constexpr std::uint32_t kTypeNumber = 4;  // REG_DWORD, little-endian

constexpr std::int32_t kSuccess = 0;
constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kAccessDenied = 5;
constexpr std::int32_t kInvalidHandle = 6;
constexpr std::int32_t kInvalidParameter = 87;
constexpr std::int32_t kBadPathname = 161;
constexpr std::int32_t kMoreData = 234;
constexpr std::int32_t kNoMoreItems = 259;
constexpr std::int32_t kKeyDeleted = 1018;

}  // namespace registry

// The record RegCreateKeyExA takes. The backend fills in the length field with
// the platform record's size (12 bytes on 32-bit Windows); no security
// descriptor can be passed.
struct SecurityAttributes {
    bool inheritHandle = false;
};

// Pointer arguments may be null exactly where the real calls allow it.
class RegistryCalls {
public:
    virtual ~RegistryCalls() = default;

    virtual std::int32_t RegCreateKeyExA(RegistryHandle key, const std::string& subKey,
                                         std::uint32_t reserved, const std::string& keyClass,
                                         std::uint32_t options, std::uint32_t rights,
                                         const SecurityAttributes* security, RegistryHandle* result,
                                         std::uint32_t* disposition) = 0;
    virtual std::int32_t RegOpenKeyExA(RegistryHandle key, const std::string& subKey,
                                       std::uint32_t options, std::uint32_t rights,
                                       RegistryHandle* result) = 0;
    virtual std::int32_t RegCloseKey(RegistryHandle key) = 0;
    virtual std::int32_t RegQueryValueExA(RegistryHandle key, const std::string& name,
                                          std::uint32_t* reserved, std::uint32_t* type,
                                          std::uint8_t* data, std::uint32_t* dataSize) = 0;
    virtual std::int32_t RegSetValueExA(RegistryHandle key, const std::string& name,
                                        std::uint32_t reserved, std::uint32_t type,
                                        const std::uint8_t* data, std::uint32_t dataSize) = 0;
    virtual std::int32_t RegEnumValueA(RegistryHandle key, std::uint32_t index, char* name,
                                       std::uint32_t* nameCapacity, std::uint32_t* reserved,
                                       std::uint32_t* type, std::uint8_t* data,
                                       std::uint32_t* dataSize) = 0;
    virtual std::int32_t RegEnumKeyA(RegistryHandle key, std::uint32_t index, char* name,
                                     std::uint32_t nameCapacity) = 0;
    virtual std::int32_t RegDeleteKeyA(RegistryHandle key, const std::string& subKey) = 0;
    virtual std::int32_t RegDeleteValueA(RegistryHandle key, const std::string& name) = 0;
};

}  // namespace brumelis
