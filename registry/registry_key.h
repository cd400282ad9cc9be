// RegistryKey: one open key of the registry, reached only through the nine
// registry calls of RegistryCalls.
//
// Contract:
// - The instance holds at most one key (handle() is 0 when none) and owns it:
//   it closes it before it acquires another one and when it is destroyed.
// - Operations on the held key pass the held handle, 0 included, to the call
//   and treat the call's status like any other; none of them checks first.
// - Two ways of reporting a failure. Raising throws brumelis::Failure with the
//   number (the call's status), source and description; the operation stops
//   there. Recording (value read, SubKeyNames, SubValueNames) clears the
//   calling thread's error record (LastError()) at the start, writes each
//   failure there, replacing what was there, and always returns normally.
//   The record stays readable after the operation returns until the next
//   recording operation or RecordError on that thread. CreateKey and OpenKey
//   report a failed creation or open only through their results: they neither
//   raise nor touch the record for it.
// - Texts cross into the registry in the system's 8-bit code page
//   (ToCodePage/FromCodePage).
//
// Choices of this implementation:
// - Writing `value` converts the dynamic value with ToText: a text is written
//   unchanged; integers as decimal digits with a leading '-' when negative;
//   single-precision reals as the shortest digits that read back as the same
//   number, with '.' as the decimal separator and 'E' before an exponent
//   ("1.5", "0.1", "-2.5E+20"); booleans as "True" and "False"; the empty value
//   as an empty text (a value of one byte, its NUL). A null value raises
//   "invalid use of null" (94) and an array a type mismatch (13), both with
//   source "DynamicValue", before any registry call.
// - Destruction closes the held key as CloseKey does. When that close fails,
//   the failure goes into the calling thread's error record (number, source
//   "RegistryKey.CloseKey" and its description) instead of being thrown, and
//   the handle is abandoned: there is nobody left to retry it.
// - The name counters of the enumerations overflow with number 6 and the
//   description "Dépassement de capacité", with source "RegistryKey.ValueNames",
//   "RegistryKey.SubKeyNames" or "RegistryKey.SubValueNames" (the source, not
//   the number, tells it from ERROR_INVALID_HANDLE, also 6).
// - ValueNames takes a name as the first n bytes that the call reports, which
//   in a single-byte code page are the first n characters.
// - The handle is pointer-sized, so 64-bit key handles pass unchanged.
// - Moving an instance hands the held key over and leaves the source without
//   a key; move assignment first closes the target's key as CloseKey does.
#pragma once

#include <cstdint>

#include "base/core_types.h"
#include "base/dynamic_value.h"
#include "platform/registry_calls.h"

namespace brumelis {

class RegistryKey {
public:
    explicit RegistryKey(RegistryCalls& calls);
    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other);
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Closes the held key first (a failed close raises). True only when the
    // key was newly created; a failed creation leaves no key held.
    bool CreateKey(RegistryHandle root, const Text& subKey, const Text& keyClass,
                   std::uint32_t options, std::uint32_t rights);
    // Closes the held key first (a failed close raises). With rights exactly
    // KEY_WRITE, a missing key is created and the open tried again. Whether a
    // key was opened shows only in handle().
    void OpenKey(RegistryHandle root, const Text& subKey, std::uint32_t rights);
    void CloseKey();
    RegistryHandle handle() const { return key_; }

    // Reading records; the result is always a text: the value's data in the
    // code page without its last character.
    DynamicValue value(const Text& name) const;
    // Writing stores a REG_SZ text value; a failed write is not reported.
    void value(const Text& name, const DynamicValue& newValue);

    // Arrays of names numbered from 1; ValueNames leaves out the unnamed
    // default value and raises, the other two record and give an empty value
    // after a failure.
    DynamicValue ValueNames() const;
    DynamicValue SubKeyNames() const;
    DynamicValue SubValueNames() const;

    void DeleteKey(RegistryHandle root, const Text& subKey);
    void DeleteSubKey(const Text& subKey);
    void DeleteValue(const Text& name);

private:
    std::int32_t GetRegistryValueLen(const Text& name) const;
    std::int32_t OpenHeldKey(RegistryHandle root, const std::string& subKeyBytes,
                             std::uint32_t rights);

    RegistryCalls* calls_;
    RegistryHandle key_ = 0;
};

}  // namespace brumelis
