// A value whose type is decided at run time: empty, null, 16- and 32-bit
// integers, single-precision reals, booleans, texts and 1-based text arrays.
#pragma once

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "base/core_types.h"

namespace brumelis {

struct EmptyValue {
    bool operator==(const EmptyValue&) const { return true; }
};
struct NullValue {
    bool operator==(const NullValue&) const { return true; }
};

// One-dimensional, numbered from 1; may have no elements.
class TextArray {
public:
    TextArray() = default;
    explicit TextArray(std::vector<Text> elements) : elements_(std::move(elements)) {}
    std::int32_t LowerBound() const { return 1; }
    std::int32_t UpperBound() const { return static_cast<std::int32_t>(elements_.size()); }
    std::size_t Count() const { return elements_.size(); }
    const Text& At(std::int32_t index) const {
        return elements_.at(static_cast<std::size_t>(index - 1));
    }
    Text& At(std::int32_t index) { return elements_.at(static_cast<std::size_t>(index - 1)); }
    // Re-dimensions to 1..count keeping the elements that still fit.
    void Resize(std::int32_t count) { elements_.resize(static_cast<std::size_t>(count)); }
    const std::vector<Text>& Elements() const { return elements_; }
    bool operator==(const TextArray& other) const { return elements_ == other.elements_; }

private:
    std::vector<Text> elements_;
};

class DynamicValue {
public:
    using Storage = std::variant<EmptyValue, NullValue, std::int16_t, std::int32_t, float, bool,
                                 Text, TextArray>;
    enum class Kind { Empty, Null, Integer16, Integer32, Single, Boolean, String, Array };

    DynamicValue() = default;
    DynamicValue(std::int16_t v) : storage_(v) {}
    DynamicValue(std::int32_t v) : storage_(v) {}
    DynamicValue(float v) : storage_(v) {}
    DynamicValue(bool v) : storage_(v) {}
    DynamicValue(Text v) : storage_(std::move(v)) {}
    DynamicValue(const char16_t* v) : storage_(Text(v)) {}
    DynamicValue(TextArray v) : storage_(std::move(v)) {}
    static DynamicValue Null() { return DynamicValue(NullValue{}); }

    Kind GetKind() const { return static_cast<Kind>(storage_.index()); }
    bool IsEmpty() const { return GetKind() == Kind::Empty; }
    bool IsNull() const { return GetKind() == Kind::Null; }
    bool IsText() const { return GetKind() == Kind::String; }
    bool IsArray() const { return GetKind() == Kind::Array; }
    const Storage& Get() const { return storage_; }
    // Precondition: the value holds that type.
    const Text& AsText() const { return std::get<Text>(storage_); }
    const TextArray& AsArray() const { return std::get<TextArray>(storage_); }

    // Same type and same contents (not the numeric comparison).
    bool operator==(const DynamicValue& other) const { return storage_ == other.storage_; }
    bool operator!=(const DynamicValue& other) const { return !(*this == other); }

private:
    explicit DynamicValue(NullValue n) : storage_(n) {}
    Storage storage_;
};

// Compares by numeric value across number types (a boolean counts as -1 or 0,
// a text that reads as a number as that number, empty as 0 or ""). Texts
// compare with texts character by character. Returns nullopt when either side
// is null. A comparison without meaning raises a type mismatch.
std::optional<int> CompareValues(const DynamicValue& a, const DynamicValue& b);

// Truth value: numbers are true when non-zero, empty is false. Raises a type
// mismatch for values that have none, an invalid use of null for null.
bool ToTruth(const DynamicValue& value);

// Numeric reading: numbers as they are, a boolean as -1 or 0, empty as 0, a
// text that reads as a number as that number. Raises for anything else.
double ToNumber(const DynamicValue& value);

// General conversion to text. Raises for null and arrays.
Text ToText(const DynamicValue& value);

}  // namespace brumelis
