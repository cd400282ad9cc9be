#include "tests/registry/tracking_registry_calls.h"

namespace brumelis::registry_tests {

std::int32_t TrackingRegistryCalls::RegCreateKeyExA(
    RegistryHandle key, const std::string& subKey, std::uint32_t reserved,
    const std::string& keyClass, std::uint32_t options, std::uint32_t rights,
    const SecurityAttributes* security, RegistryHandle* result, std::uint32_t* disposition) {
    ++counts_.create;
    lastCreate_ = CreateArguments{reserved,
                                  keyClass,
                                  options,
                                  rights,
                                  security != nullptr,
                                  security != nullptr && security->inheritHandle};
    const std::int32_t r = backend_.RegCreateKeyExA(key, subKey, reserved, keyClass, options,
                                                    rights, security, result, disposition);
    if (r == 0 && result) open_.insert(*result);
    return r;
}

std::int32_t TrackingRegistryCalls::RegOpenKeyExA(RegistryHandle key, const std::string& subKey,
                                                  std::uint32_t options, std::uint32_t rights,
                                                  RegistryHandle* result) {
    ++counts_.open;
    const std::int32_t r = backend_.RegOpenKeyExA(key, subKey, options, rights, result);
    if (r == 0 && result) open_.insert(*result);
    return r;
}

std::int32_t TrackingRegistryCalls::RegCloseKey(RegistryHandle key) {
    ++counts_.close;
    const std::int32_t r = backend_.RegCloseKey(key);
    if (r == 0) open_.erase(key);
    return r;
}

std::int32_t TrackingRegistryCalls::RegQueryValueExA(RegistryHandle key, const std::string& name,
                                                     std::uint32_t* reserved, std::uint32_t* type,
                                                     std::uint8_t* data, std::uint32_t* dataSize) {
    ++counts_.query;
    return backend_.RegQueryValueExA(key, name, reserved, type, data, dataSize);
}

std::int32_t TrackingRegistryCalls::RegSetValueExA(RegistryHandle key, const std::string& name,
                                                   std::uint32_t reserved, std::uint32_t type,
                                                   const std::uint8_t* data,
                                                   std::uint32_t dataSize) {
    ++counts_.set;
    lastSet_ = SetArguments{
        reserved, type,
        data ? std::string(reinterpret_cast<const char*>(data), dataSize) : std::string()};
    return backend_.RegSetValueExA(key, name, reserved, type, data, dataSize);
}

std::int32_t TrackingRegistryCalls::RegEnumValueA(RegistryHandle key, std::uint32_t index,
                                                  char* name, std::uint32_t* nameCapacity,
                                                  std::uint32_t* reserved, std::uint32_t* type,
                                                  std::uint8_t* data, std::uint32_t* dataSize) {
    ++counts_.enumValue;
    return backend_.RegEnumValueA(key, index, name, nameCapacity, reserved, type, data, dataSize);
}

std::int32_t TrackingRegistryCalls::RegEnumKeyA(RegistryHandle key, std::uint32_t index, char* name,
                                                std::uint32_t nameCapacity) {
    ++counts_.enumKey;
    return backend_.RegEnumKeyA(key, index, name, nameCapacity);
}

std::int32_t TrackingRegistryCalls::RegDeleteKeyA(RegistryHandle key, const std::string& subKey) {
    ++counts_.deleteKey;
    return backend_.RegDeleteKeyA(key, subKey);
}

std::int32_t TrackingRegistryCalls::RegDeleteValueA(RegistryHandle key, const std::string& name) {
    ++counts_.deleteValue;
    return backend_.RegDeleteValueA(key, name);
}

}  // namespace brumelis::registry_tests
