#include "registry/registry_key.h"

#include <utility>

#include "base/failure.h"
#include "platform/code_page.h"
#include "registry/registry_key_errors.h"

namespace brumelis {

namespace errors = registry_key_errors;

RegistryKey::RegistryKey(RegistryCalls& calls) : calls_(&calls) {}

RegistryKey::~RegistryKey() {
    try {
        CloseKey();
    } catch (const Failure& failure) {
        RecordError(failure);
    }
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : calls_(other.calls_), key_(std::exchange(other.key_, 0)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) {
    if (this != &other) {
        CloseKey();
        calls_ = other.calls_;
        key_ = std::exchange(other.key_, 0);
    }
    return *this;
}

bool RegistryKey::CreateKey(RegistryHandle root, const Text& subKey, const Text& keyClass,
                            std::uint32_t options, std::uint32_t rights) {
    CloseKey();
    const SecurityAttributes security{};
    RegistryHandle created = 0;
    std::uint32_t disposition = 0;
    const std::int32_t r =
        calls_->RegCreateKeyExA(root, ToCodePage(subKey), 0, ToCodePage(keyClass), options, rights,
                                &security, &created, &disposition);
    if (r != 0) {
        key_ = 0;
        return false;
    }
    key_ = created;
    return disposition == registry::kCreatedNewKey;
}

// The held handle becomes the opened key, or 0 when the open fails.
std::int32_t RegistryKey::OpenHeldKey(RegistryHandle root, const std::string& subKeyBytes,
                                      std::uint32_t rights) {
    RegistryHandle opened = 0;
    const std::int32_t r = calls_->RegOpenKeyExA(root, subKeyBytes, 0, rights, &opened);
    key_ = r == 0 ? opened : 0;
    return r;
}

void RegistryKey::OpenKey(RegistryHandle root, const Text& subKey, std::uint32_t rights) {
    CloseKey();
    const std::string subKeyBytes = ToCodePage(subKey);
    std::int32_t r = OpenHeldKey(root, subKeyBytes, rights);
    if (rights == registry::kKeyWrite && r == registry::kFileNotFound) {
        CreateKey(root, subKey, Text(), registry::kOptionNonVolatile, registry::kKeyAllAccess);
        CloseKey();
        OpenHeldKey(root, subKeyBytes, rights);
    }
}

void RegistryKey::CloseKey() {
    if (key_ == 0) return;
    const std::int32_t r = calls_->RegCloseKey(key_);
    if (r != 0) Raise(r, errors::kCloseKeySource, errors::kCloseKeyDescription);
    key_ = 0;
}

std::int32_t RegistryKey::GetRegistryValueLen(const Text& name) const {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    const std::int32_t r =
        calls_->RegQueryValueExA(key_, ToCodePage(name), nullptr, &type, nullptr, &size);
    if (r != 0) Raise(r, errors::kValueLengthSource, errors::ValueLengthDescription(name));
    return static_cast<std::int32_t>(size);
}

DynamicValue RegistryKey::value(const Text& name) const {
    ClearLastError();
    std::int32_t size = 0;
    try {
        size = GetRegistryValueLen(name);
    } catch (const Failure& failure) {
        RecordError(Failure(failure.Number(), errors::kGetValueSource,
                            errors::GetValueLengthDescription(name)));
    }

    std::string buffer(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    std::uint32_t type = 0;
    auto bufferSize = static_cast<std::uint32_t>(buffer.size());
    const std::int32_t r =
        calls_->RegQueryValueExA(key_, ToCodePage(name), nullptr, &type,
                                 reinterpret_cast<std::uint8_t*>(buffer.data()), &bufferSize);
    Text data = FromCodePage(buffer);
    if (r != 0) RecordError(Failure(r, errors::kGetValueSource, errors::GetValueDescription(name)));

    if (!data.empty()) data.pop_back();
    return DynamicValue(std::move(data));
}

void RegistryKey::value(const Text& name, const DynamicValue& newValue) {
    const std::string text = ToCodePage(ToText(newValue));
    calls_->RegSetValueExA(key_, ToCodePage(name), 0, registry::kTypeText,
                           reinterpret_cast<const std::uint8_t*>(text.c_str()),
                           static_cast<std::uint32_t>(text.size() + 1));
}

void RegistryKey::DeleteKey(RegistryHandle root, const Text& subKey) {
    const std::int32_t r = calls_->RegDeleteKeyA(root, ToCodePage(subKey));
    if (r != 0) Raise(r, errors::kDeleteKeySource, errors::DeleteKeyDescription(subKey));
}

void RegistryKey::DeleteSubKey(const Text& subKey) {
    const std::int32_t r = calls_->RegDeleteKeyA(key_, ToCodePage(subKey));
    if (r != 0) Raise(r, errors::kDeleteSubKeySource, errors::DeleteSubKeyDescription(subKey));
}

void RegistryKey::DeleteValue(const Text& name) {
    const std::int32_t r = calls_->RegDeleteValueA(key_, ToCodePage(name));
    if (r != 0) Raise(r, errors::kDeleteValueSource, errors::DeleteValueDescription(name));
}

}  // namespace brumelis
