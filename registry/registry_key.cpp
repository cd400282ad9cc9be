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
    : calls_(other.calls_), hkey_(std::exchange(other.hkey_, 0)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) {
    if (this != &other) {
        CloseKey();
        calls_ = other.calls_;
        hkey_ = std::exchange(other.hkey_, 0);
    }
    return *this;
}

bool RegistryKey::CreateKey(RegistryHandle hkeyRoot, const Text& sSubkey, const Text& sClass,
                            std::uint32_t lOptions, std::uint32_t lRights) {
    CloseKey();
    const SecurityAttributes security{};
    RegistryHandle created = 0;
    std::uint32_t disposition = 0;
    const std::int32_t r =
        calls_->RegCreateKeyExA(hkeyRoot, ToCodePage(sSubkey), 0, ToCodePage(sClass), lOptions,
                                lRights, &security, &created, &disposition);
    if (r != 0) {
        hkey_ = 0;
        return false;
    }
    hkey_ = created;
    return disposition == registry::kCreatedNewKey;
}

// The held handle becomes the opened key, or 0 when the open fails.
std::int32_t RegistryKey::OpenHeldKey(RegistryHandle hkeyRoot, const std::string& subkey,
                                      std::uint32_t lRights) {
    RegistryHandle opened = 0;
    const std::int32_t r = calls_->RegOpenKeyExA(hkeyRoot, subkey, 0, lRights, &opened);
    hkey_ = r == 0 ? opened : 0;
    return r;
}

void RegistryKey::OpenKey(RegistryHandle hkeyRoot, const Text& sSubkey, std::uint32_t lRights) {
    CloseKey();
    const std::string subkey = ToCodePage(sSubkey);
    std::int32_t r = OpenHeldKey(hkeyRoot, subkey, lRights);
    if (lRights == registry::kKeyWrite && r == registry::kFileNotFound) {
        CreateKey(hkeyRoot, sSubkey, Text(), registry::kOptionNonVolatile, registry::kKeyAllAccess);
        CloseKey();
        OpenHeldKey(hkeyRoot, subkey, lRights);
    }
}

void RegistryKey::CloseKey() {
    if (hkey_ == 0) return;
    const std::int32_t r = calls_->RegCloseKey(hkey_);
    if (r != 0) Raise(r, errors::kCloseKeySource, errors::kCloseKeyDescription);
    hkey_ = 0;
}

std::int32_t RegistryKey::GetRegistryValueLen(const Text& sName) const {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    const std::int32_t r =
        calls_->RegQueryValueExA(hkey_, ToCodePage(sName), nullptr, &type, nullptr, &size);
    if (r != 0) Raise(r, errors::kValueLengthSource, errors::ValueLengthDescription(sName));
    return static_cast<std::int32_t>(size);
}

DynamicValue RegistryKey::value(const Text& sName) const {
    ClearLastError();
    std::int32_t size = 0;
    try {
        size = GetRegistryValueLen(sName);
    } catch (const Failure& failure) {
        RecordError(Failure(failure.Number(), errors::kGetValueSource,
                            errors::GetValueLengthDescription(sName)));
    }

    std::string buffer(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    std::uint32_t type = 0;
    auto bufferSize = static_cast<std::uint32_t>(buffer.size());
    const std::int32_t r =
        calls_->RegQueryValueExA(hkey_, ToCodePage(sName), nullptr, &type,
                                 reinterpret_cast<std::uint8_t*>(buffer.data()), &bufferSize);
    Text data = FromCodePage(buffer);
    if (r != 0)
        RecordError(Failure(r, errors::kGetValueSource, errors::GetValueDescription(sName)));

    if (!data.empty()) data.pop_back();
    return DynamicValue(std::move(data));
}

void RegistryKey::value(const Text& sName, const DynamicValue& vValue) {
    const std::string text = ToCodePage(ToText(vValue));
    calls_->RegSetValueExA(hkey_, ToCodePage(sName), 0, registry::kTypeText,
                           reinterpret_cast<const std::uint8_t*>(text.c_str()),
                           static_cast<std::uint32_t>(text.size() + 1));
}

void RegistryKey::DeleteKey(RegistryHandle hkeyRoot, const Text& sSubkey) {
    const std::int32_t r = calls_->RegDeleteKeyA(hkeyRoot, ToCodePage(sSubkey));
    if (r != 0) Raise(r, errors::kDeleteKeySource, errors::DeleteKeyDescription(sSubkey));
}

void RegistryKey::DeleteSubKey(const Text& sSubkey) {
    const std::int32_t r = calls_->RegDeleteKeyA(hkey_, ToCodePage(sSubkey));
    if (r != 0) Raise(r, errors::kDeleteSubKeySource, errors::DeleteSubKeyDescription(sSubkey));
}

void RegistryKey::DeleteValue(const Text& sName) {
    const std::int32_t r = calls_->RegDeleteValueA(hkey_, ToCodePage(sName));
    if (r != 0) Raise(r, errors::kDeleteValueSource, errors::DeleteValueDescription(sName));
}

}  // namespace brumelis
