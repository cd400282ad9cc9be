// An in-memory registry behind the registry calls, for native tests. It keeps
// the rules the real registry enforces and answers with the statuses Windows
// returns, as observed against the real calls under Wine:
// - names of keys and values compare without regard to case (ASCII and
//   Latin-1 letters); a name keeps the case of its first creation;
// - a key path is split at backslashes, runs of backslashes count as one and a
//   trailing one is ignored; a leading one is ERROR_BAD_PATHNAME (161); an A
//   call carries at most 260 characters of path (longer: ERROR_MORE_DATA, 234)
//   and a path element has at most 256 (longer: ERROR_INVALID_PARAMETER, 87);
// - a value name has at most 16383 characters (longer cannot be set: 87);
// - data are bytes with their size; a REG_SZ written one byte short of its
//   terminating NUL gets the NUL counted in, as NT does; otherwise a text value
//   can be stored without its NUL;
// - subkeys enumerate in case-insensitive order, values in insertion order
//   (Windows; Wine sorts values too), the unnamed default value among them;
// - a handle grants the rights it was opened with: querying and enumerating
//   values need KEY_QUERY_VALUE, setting and deleting values KEY_SET_VALUE,
//   enumerating subkeys KEY_ENUMERATE_SUB_KEYS; otherwise ERROR_ACCESS_DENIED;
// - a deleted key stays behind its open handles, and every call through them
//   except RegCloseKey answers ERROR_KEY_DELETED (1018);
// - a key with subkeys cannot be deleted (5); a predefined root cannot either;
// - creating with an empty path opens the key again as REG_OPENED_EXISTING_KEY
//   (Wine answers REG_CREATED_NEW_KEY there);
// - 0 and unknown handles are ERROR_INVALID_HANDLE (6); opening a predefined
//   root with an empty path gives the root itself, and closing a root
//   succeeds and changes nothing.
// Handle values are never reused, so a stale handle stays invalid.
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <memory>
#include <vector>

#include "platform/registry_calls.h"

namespace brumelis {

namespace fake_registry {
class Key;
}

enum class RegistryCall {
    CreateKeyEx,
    OpenKeyEx,
    CloseKey,
    QueryValueEx,
    SetValueEx,
    EnumValue,
    EnumKey,
    DeleteKey,
    DeleteValue,
};
constexpr std::size_t kRegistryCallKinds = 9;

class InMemoryRegistry final : public RegistryCalls {
public:
    InMemoryRegistry();
    ~InMemoryRegistry() override;
    InMemoryRegistry(const InMemoryRegistry&) = delete;
    InMemoryRegistry& operator=(const InMemoryRegistry&) = delete;

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

    // Keys opened by RegCreateKeyExA or RegOpenKeyExA and not closed yet.
    std::size_t OpenKeyCount() const { return handles_.size(); }
    bool IsOpen(RegistryHandle key) const { return handles_.count(key) != 0; }

    // The next call of that kind after `skip` others fails with `status` and
    // changes nothing (a failed RegCloseKey leaves the key open). Failures
    // queue up in the order they are asked for.
    void FailCall(RegistryCall call, std::int32_t status, std::uint32_t skip = 0);
    std::size_t PendingFailures() const;
    void ClearFailures();

private:
    using Key = fake_registry::Key;
    struct OpenKey {
        std::shared_ptr<Key> key;
        std::uint32_t rights = 0;
    };
    struct Resolved {
        std::int32_t status = 0;
        std::shared_ptr<Key> key;
    };
    struct InjectedFailure {
        std::uint32_t skip = 0;
        std::int32_t status = 0;
    };

    Resolved Resolve(RegistryHandle key, std::uint32_t neededRights) const;
    bool Injected(RegistryCall call, std::int32_t* status);
    RegistryHandle NewHandle(std::shared_ptr<Key> key, std::uint32_t rights);

    std::map<RegistryHandle, std::shared_ptr<Key>> roots_;
    std::map<RegistryHandle, OpenKey> handles_;
    RegistryHandle nextHandle_ = 0x100;
    std::array<std::vector<InjectedFailure>, kRegistryCallKinds> failures_;
};

}  // namespace brumelis
