// The three name lists of RegistryKey. They differ on purpose in buffer
// capacity, in how a name is cut out of the buffer, in what they do with the
// unnamed default value and in how they report failures.
#include <cstdint>
#include <string>

#include "base/checked_arithmetic.h"
#include "base/failure.h"
#include "platform/code_page.h"
#include "registry/registry_key.h"
#include "registry/registry_key_errors.h"

namespace brumelis {

namespace errors = registry_key_errors;

namespace {

constexpr std::size_t kNameBufferLength = 4096;
constexpr std::uint32_t kValueNamesCapacity = 4096;
constexpr std::uint32_t kSubNamesCapacity = 512;

Text BeforeFirstNul(const std::string& buffer) {
    return FromCodePage(buffer.substr(0, buffer.find('\0')));
}

// Grows the array to 1..count and stores the name as element count. Once the
// counter has overflowed it stays at its maximum, so later names overwrite
// the last element.
void AppendName(TextArray& names, std::int16_t& count, Text name, const Text& overflowSource) {
    RecordFailure([&] { count = CheckedAdd16(count, 1, overflowSource); });
    names.Resize(count);
    names.At(count) = std::move(name);
}

// The loop the two recording lists share: `enumerate(index, buffer)` makes
// one registry call and answers its status.
template <typename Enumerate>
DynamicValue RecordedNames(const Text& overflowSource, Enumerate enumerate) {
    ClearLastError();
    std::string buffer(kNameBufferLength, ' ');
    std::int32_t index = 0;
    std::int16_t count = 0;
    TextArray names;
    std::int32_t r = 0;
    do {
        r = enumerate(static_cast<std::uint32_t>(index), buffer.data());
        if (r == 0) {
            AppendName(names, count, BeforeFirstNul(buffer), overflowSource);
            ++index;
        }
    } while (r == 0);
    if (r == registry::kNoMoreItems) return DynamicValue(std::move(names));
    RecordError(Failure(r, errors::kGetValuesSource, errors::kGetValuesDescription));
    return DynamicValue();
}

}  // namespace

DynamicValue RegistryKey::ValueNames() const {
    std::string buffer(kNameBufferLength, ' ');
    std::int32_t index = 0;
    std::int16_t count = 0;
    TextArray names;
    std::int32_t r = 0;
    for (;;) {
        std::uint32_t capacity = kValueNamesCapacity;
        std::uint32_t type = 0;
        r = calls_->RegEnumValueA(key_, static_cast<std::uint32_t>(index), buffer.data(), &capacity,
                                  nullptr, &type, nullptr, nullptr);
        if (r != 0) break;
        if (capacity > 0) {
            count = CheckedAdd16(count, 1, errors::kValueNamesSource);
            names.Resize(count);
            names.At(count) = FromCodePage(buffer.substr(0, capacity));
        }
        ++index;
    }
    if (r != registry::kNoMoreItems)
        Raise(r, errors::kGetValuesSource, errors::kGetValuesDescription);
    return DynamicValue(std::move(names));
}

DynamicValue RegistryKey::SubKeyNames() const {
    return RecordedNames(errors::kSubKeyNamesSource, [this](std::uint32_t index, char* buffer) {
        return calls_->RegEnumKeyA(key_, index, buffer, kSubNamesCapacity);
    });
}

// Every value is listed, the unnamed default value too (as an empty text); the
// length the call writes back is not used.
DynamicValue RegistryKey::SubValueNames() const {
    return RecordedNames(errors::kSubValueNamesSource, [this](std::uint32_t index, char* buffer) {
        std::uint32_t capacity = kSubNamesCapacity;
        std::uint32_t type = 0;
        return calls_->RegEnumValueA(key_, index, buffer, &capacity, nullptr, &type, nullptr,
                                     nullptr);
    });
}

}  // namespace brumelis
