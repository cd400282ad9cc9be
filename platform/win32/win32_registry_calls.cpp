#include "platform/win32/win32_registry_calls.h"

#include <windows.h>

#include <type_traits>

namespace brumelis {

static_assert(sizeof(RegistryHandle) == sizeof(HKEY), "a key handle must fit the opaque value");
static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "DWORD out-arguments are passed through");
static_assert(sizeof(LONG) == sizeof(std::int32_t), "statuses are 32-bit");
static_assert(std::is_same<std::uint8_t, BYTE>::value, "data buffers are passed through");

namespace {

HKEY ToHkey(RegistryHandle key) {
    return reinterpret_cast<HKEY>(key);
}

RegistryHandle FromHkey(HKEY key) {
    return reinterpret_cast<RegistryHandle>(key);
}

// An out-argument for a key handle that the call writes only when it is given.
class HandleOut {
public:
    explicit HandleOut(RegistryHandle* target) : target_(target) {}
    ~HandleOut() {
        if (target_) *target_ = FromHkey(key_);
    }
    HKEY* Address() { return target_ ? &key_ : nullptr; }

private:
    RegistryHandle* target_;
    HKEY key_ = nullptr;
};

DWORD* AsDword(std::uint32_t* value) {
    return reinterpret_cast<DWORD*>(value);
}

}  // namespace

std::int32_t Win32RegistryCalls::RegCreateKeyExA(
    RegistryHandle key, const std::string& subKey, std::uint32_t reserved,
    const std::string& keyClass, std::uint32_t options, std::uint32_t rights,
    const SecurityAttributes* security, RegistryHandle* result, std::uint32_t* disposition) {
    SECURITY_ATTRIBUTES attributes{};
    if (security) {
        attributes.nLength = sizeof attributes;
        attributes.lpSecurityDescriptor = nullptr;
        attributes.bInheritHandle = security->inheritHandle ? TRUE : FALSE;
    }
    HandleOut handle(result);
    return ::RegCreateKeyExA(
        ToHkey(key), subKey.c_str(), reserved, const_cast<char*>(keyClass.c_str()), options, rights,
        security ? &attributes : nullptr, handle.Address(), AsDword(disposition));
}

std::int32_t Win32RegistryCalls::RegOpenKeyExA(RegistryHandle key, const std::string& subKey,
                                               std::uint32_t options, std::uint32_t rights,
                                               RegistryHandle* result) {
    HandleOut handle(result);
    return ::RegOpenKeyExA(ToHkey(key), subKey.c_str(), options, rights, handle.Address());
}

std::int32_t Win32RegistryCalls::RegCloseKey(RegistryHandle key) {
    return ::RegCloseKey(ToHkey(key));
}

std::int32_t Win32RegistryCalls::RegQueryValueExA(RegistryHandle key, const std::string& name,
                                                  std::uint32_t* reserved, std::uint32_t* type,
                                                  std::uint8_t* data, std::uint32_t* dataSize) {
    return ::RegQueryValueExA(ToHkey(key), name.c_str(), AsDword(reserved), AsDword(type), data,
                              AsDword(dataSize));
}

std::int32_t Win32RegistryCalls::RegSetValueExA(RegistryHandle key, const std::string& name,
                                                std::uint32_t reserved, std::uint32_t type,
                                                const std::uint8_t* data, std::uint32_t dataSize) {
    return ::RegSetValueExA(ToHkey(key), name.c_str(), reserved, type, data, dataSize);
}

std::int32_t Win32RegistryCalls::RegEnumValueA(RegistryHandle key, std::uint32_t index, char* name,
                                               std::uint32_t* nameCapacity, std::uint32_t* reserved,
                                               std::uint32_t* type, std::uint8_t* data,
                                               std::uint32_t* dataSize) {
    return ::RegEnumValueA(ToHkey(key), index, name, AsDword(nameCapacity), AsDword(reserved),
                           AsDword(type), data, AsDword(dataSize));
}

std::int32_t Win32RegistryCalls::RegEnumKeyA(RegistryHandle key, std::uint32_t index, char* name,
                                             std::uint32_t nameCapacity) {
    return ::RegEnumKeyA(ToHkey(key), index, name, nameCapacity);
}

std::int32_t Win32RegistryCalls::RegDeleteKeyA(RegistryHandle key, const std::string& subKey) {
    return ::RegDeleteKeyA(ToHkey(key), subKey.c_str());
}

std::int32_t Win32RegistryCalls::RegDeleteValueA(RegistryHandle key, const std::string& name) {
    return ::RegDeleteValueA(ToHkey(key), name.c_str());
}

}  // namespace brumelis
