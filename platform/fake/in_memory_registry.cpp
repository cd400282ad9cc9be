#include "platform/fake/in_memory_registry.h"

#include <algorithm>
#include <cstring>

#include "platform/fake/in_memory_registry_tree.h"

namespace brumelis {

namespace {

using fake_registry::AsCString;
using fake_registry::ParsedPath;
using fake_registry::ParseKeyPath;

constexpr std::int32_t kNoAccess = 998;
constexpr std::int32_t kChildMustBeVolatile = 1021;
constexpr std::size_t kMaxValueNameLength = 16383;

constexpr std::uint32_t kGenericRead = 0x80000000u;
constexpr std::uint32_t kGenericWrite = 0x40000000u;
constexpr std::uint32_t kGenericExecute = 0x20000000u;
constexpr std::uint32_t kGenericAll = 0x10000000u;
constexpr std::uint32_t kMaximumAllowed = 0x02000000u;

std::uint32_t EffectiveRights(std::uint32_t requested) {
    std::uint32_t rights = requested & registry::kKeyAllAccess;
    if (requested & (kGenericRead | kGenericExecute)) rights |= registry::kKeyRead;
    if (requested & kGenericWrite) rights |= registry::kKeyWrite;
    if (requested & (kGenericAll | kMaximumAllowed)) rights |= registry::kKeyAllAccess;
    return rights;
}

bool IsTextType(std::uint32_t type) {
    constexpr std::uint32_t kExpandText = 2;
    constexpr std::uint32_t kMultiText = 7;
    return type == registry::kTypeText || type == kExpandText || type == kMultiText;
}

void CopyName(const std::string& name, char* buffer) {
    std::memcpy(buffer, name.c_str(), name.size() + 1);
}

}  // namespace

InMemoryRegistry::InMemoryRegistry() {
    for (RegistryHandle root :
         {registry::kClassesRoot, registry::kCurrentUser, registry::kLocalMachine, registry::kUsers,
          registry::kCurrentConfig})
        roots_.emplace(root, std::make_shared<Key>(std::string(), false, true));
}

InMemoryRegistry::~InMemoryRegistry() = default;

void InMemoryRegistry::FailCall(RegistryCall call, std::int32_t status, std::uint32_t skip) {
    failures_[static_cast<std::size_t>(call)].push_back(InjectedFailure{skip, status});
}

std::size_t InMemoryRegistry::PendingFailures() const {
    std::size_t count = 0;
    for (const auto& pending : failures_) count += pending.size();
    return count;
}

void InMemoryRegistry::ClearFailures() {
    for (auto& pending : failures_) pending.clear();
}

bool InMemoryRegistry::Injected(RegistryCall call, std::int32_t* status) {
    auto& pending = failures_[static_cast<std::size_t>(call)];
    auto due = std::find_if(pending.begin(), pending.end(),
                            [](const InjectedFailure& f) { return f.skip == 0; });
    for (auto& failure : pending)
        if (failure.skip > 0) --failure.skip;
    if (due == pending.end()) return false;
    *status = due->status;
    pending.erase(due);
    return true;
}

InMemoryRegistry::Resolved InMemoryRegistry::Resolve(RegistryHandle key,
                                                     std::uint32_t neededRights) const {
    auto root = roots_.find(key);
    if (root != roots_.end()) return Resolved{0, root->second};
    auto open = handles_.find(key);
    if (open == handles_.end()) return Resolved{registry::kInvalidHandle, nullptr};
    if ((open->second.rights & neededRights) != neededRights)
        return Resolved{registry::kAccessDenied, nullptr};
    if (open->second.key->IsDeleted()) return Resolved{registry::kKeyDeleted, nullptr};
    return Resolved{0, open->second.key};
}

RegistryHandle InMemoryRegistry::NewHandle(std::shared_ptr<Key> key, std::uint32_t rights) {
    const RegistryHandle handle = nextHandle_;
    nextHandle_ += 4;
    handles_.emplace(handle, OpenKey{std::move(key), EffectiveRights(rights)});
    return handle;
}

std::int32_t InMemoryRegistry::RegCreateKeyExA(RegistryHandle key, const std::string& subKey,
                                               std::uint32_t reserved, const std::string&,
                                               std::uint32_t options, std::uint32_t rights,
                                               const SecurityAttributes*, RegistryHandle* result,
                                               std::uint32_t* disposition) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::CreateKeyEx, &status)) return status;
    if (reserved != 0 || result == nullptr) return registry::kInvalidParameter;
    *result = 0;
    Resolved base = Resolve(key, 0);
    if (base.status != 0) return base.status;
    const ParsedPath path = ParseKeyPath(AsCString(subKey));
    if (path.status != 0) return path.status;

    const bool isVolatile = (options & registry::kOptionVolatile) != 0;
    std::shared_ptr<Key> current = base.key;
    bool created = false;
    for (const std::string& element : path.elements) {
        std::shared_ptr<Key> next = current->FindSubkey(element);
        created = next == nullptr;
        if (created) {
            if (current->IsVolatile() && !isVolatile) return kChildMustBeVolatile;
            next = current->AddSubkey(element, isVolatile);
        }
        current = std::move(next);
    }
    *result = NewHandle(std::move(current), rights);
    if (disposition)
        *disposition = created ? registry::kCreatedNewKey : registry::kOpenedExistingKey;
    return 0;
}

std::int32_t InMemoryRegistry::RegOpenKeyExA(RegistryHandle key, const std::string& subKey,
                                             std::uint32_t, std::uint32_t rights,
                                             RegistryHandle* result) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::OpenKeyEx, &status)) return status;
    if (result == nullptr) return registry::kInvalidParameter;
    *result = 0;
    Resolved base = Resolve(key, 0);
    if (base.status != 0) return base.status;
    const std::string path = AsCString(subKey);
    if (path.empty() && roots_.count(key) != 0) {
        *result = key;
        return 0;
    }
    const ParsedPath parsed = ParseKeyPath(path);
    if (parsed.status != 0) return parsed.status;

    std::shared_ptr<Key> current = base.key;
    for (const std::string& element : parsed.elements) {
        current = current->FindSubkey(element);
        if (!current) return registry::kFileNotFound;
    }
    *result = NewHandle(std::move(current), rights);
    return 0;
}

std::int32_t InMemoryRegistry::RegCloseKey(RegistryHandle key) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::CloseKey, &status)) return status;
    if (roots_.count(key) != 0) return 0;
    return handles_.erase(key) != 0 ? 0 : registry::kInvalidHandle;
}

std::int32_t InMemoryRegistry::RegQueryValueExA(RegistryHandle key, const std::string& name,
                                                std::uint32_t* reserved, std::uint32_t* type,
                                                std::uint8_t* data, std::uint32_t* dataSize) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::QueryValueEx, &status)) return status;
    if (reserved != nullptr || (data != nullptr && dataSize == nullptr))
        return registry::kInvalidParameter;
    Resolved base = Resolve(key, registry::kKeyQueryValue);
    if (base.status != 0) return base.status;
    const fake_registry::Value* value = base.key->FindValue(AsCString(name));
    if (!value) return registry::kFileNotFound;

    if (type) *type = value->type;
    const auto size = static_cast<std::uint32_t>(value->data.size());
    if (data) {
        if (*dataSize < size) {
            *dataSize = size;
            return registry::kMoreData;
        }
        std::copy(value->data.begin(), value->data.end(), data);
        // NT ends a text stored without its NUL when the buffer has room.
        if (IsTextType(value->type) && size > 0 && size < *dataSize && data[size - 1] != 0)
            data[size] = 0;
    }
    if (dataSize) *dataSize = size;
    return 0;
}

std::int32_t InMemoryRegistry::RegSetValueExA(RegistryHandle key, const std::string& name,
                                              std::uint32_t, std::uint32_t type,
                                              const std::uint8_t* data, std::uint32_t dataSize) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::SetValueEx, &status)) return status;
    if (data == nullptr && dataSize != 0) return kNoAccess;
    Resolved base = Resolve(key, registry::kKeySetValue);
    if (base.status != 0) return base.status;
    const std::string valueName = AsCString(name);
    if (valueName.size() > kMaxValueNameLength) return registry::kInvalidParameter;

    // NT counts in a forgotten terminating NUL, looking one byte past the data.
    std::uint32_t size = dataSize;
    if (IsTextType(type) && size > 0 && data[size - 1] != 0 && data[size] == 0) ++size;
    base.key->SetValue(valueName, type, std::vector<std::uint8_t>(data, data + size));
    return 0;
}

std::int32_t InMemoryRegistry::RegEnumValueA(RegistryHandle key, std::uint32_t index, char* name,
                                             std::uint32_t* nameCapacity, std::uint32_t* reserved,
                                             std::uint32_t* type, std::uint8_t* data,
                                             std::uint32_t* dataSize) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::EnumValue, &status)) return status;
    if (reserved != nullptr || name == nullptr || nameCapacity == nullptr ||
        (data != nullptr && dataSize == nullptr))
        return registry::kInvalidParameter;
    Resolved base = Resolve(key, registry::kKeyQueryValue);
    if (base.status != 0) return base.status;
    if (index >= base.key->ValueCount()) return registry::kNoMoreItems;

    const fake_registry::Value& value = base.key->ValueAt(index);
    if (value.name.size() >= *nameCapacity) return registry::kMoreData;
    const auto size = static_cast<std::uint32_t>(value.data.size());
    if (data && *dataSize < size) {
        *dataSize = size;
        return registry::kMoreData;
    }
    CopyName(value.name, name);
    *nameCapacity = static_cast<std::uint32_t>(value.name.size());
    if (type) *type = value.type;
    if (data) std::copy(value.data.begin(), value.data.end(), data);
    if (dataSize) *dataSize = size;
    return 0;
}

std::int32_t InMemoryRegistry::RegEnumKeyA(RegistryHandle key, std::uint32_t index, char* name,
                                           std::uint32_t nameCapacity) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::EnumKey, &status)) return status;
    if (name == nullptr) return registry::kInvalidParameter;
    Resolved base = Resolve(key, registry::kKeyEnumerateSubKeys);
    if (base.status != 0) return base.status;
    if (index >= base.key->SubkeyCount()) return registry::kNoMoreItems;

    const std::string& subkeyName = base.key->SubkeyAt(index)->Name();
    if (subkeyName.size() >= nameCapacity) return registry::kMoreData;
    CopyName(subkeyName, name);
    return 0;
}

std::int32_t InMemoryRegistry::RegDeleteKeyA(RegistryHandle key, const std::string& subKey) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::DeleteKey, &status)) return status;
    Resolved base = Resolve(key, 0);
    if (base.status != 0) return base.status;
    const ParsedPath path = ParseKeyPath(AsCString(subKey));
    if (path.status != 0) return path.status;

    std::shared_ptr<Key> target = base.key;
    for (const std::string& element : path.elements) {
        target = target->FindSubkey(element);
        if (!target) return registry::kFileNotFound;
    }
    if (target->IsPredefined() || target->SubkeyCount() != 0) return registry::kAccessDenied;
    target->Delete();
    return 0;
}

std::int32_t InMemoryRegistry::RegDeleteValueA(RegistryHandle key, const std::string& name) {
    std::int32_t status = 0;
    if (Injected(RegistryCall::DeleteValue, &status)) return status;
    Resolved base = Resolve(key, registry::kKeySetValue);
    if (base.status != 0) return base.status;
    return base.key->DeleteValue(AsCString(name)) ? 0 : registry::kFileNotFound;
}

}  // namespace brumelis
