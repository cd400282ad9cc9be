#include "base/dynamic_value.h"

#include <cmath>

#include "base/failure.h"
#include "base/number_text.h"

namespace brumelis {

namespace {

const Text kSource = u"DynamicValue";

// Reads a whole text as a number: blanks around, a sign, digits, one decimal
// point (either '.' or ','), an optional exponent.
std::optional<double> ParseNumber(const Text& text) {
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == Text::npos) return std::nullopt;
    const std::size_t last = text.find_last_not_of(u' ');
    Text number = text.substr(first, last - first + 1);
    for (char16_t& c : number)
        if (c == u',') c = u'.';
    return ParseDecimalNumber(number);
}

// The numeric reading of a value in a comparison against a number.
std::optional<double> NumericOf(const DynamicValue& v) {
    switch (v.GetKind()) {
        case DynamicValue::Kind::Empty: return 0.0;
        case DynamicValue::Kind::Integer16: return std::get<std::int16_t>(v.Get());
        case DynamicValue::Kind::Integer32: return std::get<std::int32_t>(v.Get());
        case DynamicValue::Kind::Single: return std::get<float>(v.Get());
        case DynamicValue::Kind::Boolean: return std::get<bool>(v.Get()) ? -1.0 : 0.0;
        case DynamicValue::Kind::String: return ParseNumber(v.AsText());
        default: return std::nullopt;
    }
}

bool IsTextual(const DynamicValue& v) {
    return v.IsText() || v.IsEmpty();
}

int Sign(double d) {
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

}  // namespace

std::optional<int> CompareValues(const DynamicValue& a, const DynamicValue& b) {
    if (a.IsNull() || b.IsNull()) return std::nullopt;
    if (a.IsArray() || b.IsArray()) RaiseTypeMismatch(kSource);
    if (IsTextual(a) && IsTextual(b)) {
        const Text ta = a.IsText() ? a.AsText() : Text();
        const Text tb = b.IsText() ? b.AsText() : Text();
        int c = ta.compare(tb);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    std::optional<double> na = NumericOf(a);
    std::optional<double> nb = NumericOf(b);
    if (!na || !nb) RaiseTypeMismatch(kSource);
    return Sign(*na - *nb);
}

bool ToTruth(const DynamicValue& value) {
    switch (value.GetKind()) {
        case DynamicValue::Kind::Null: RaiseInvalidUseOfNull(kSource);
        case DynamicValue::Kind::Array: RaiseTypeMismatch(kSource);
        case DynamicValue::Kind::String: {
            const Text& t = value.AsText();
            if (t == u"True" || t == u"Vrai") return true;
            if (t == u"False" || t == u"Faux") return false;
            break;
        }
        default: break;
    }
    std::optional<double> n = NumericOf(value);
    if (!n) RaiseTypeMismatch(kSource);
    return *n != 0.0;
}

double ToNumber(const DynamicValue& value) {
    if (value.IsNull()) RaiseInvalidUseOfNull(kSource);
    std::optional<double> n = NumericOf(value);
    if (!n) RaiseTypeMismatch(kSource);
    return *n;
}

Text ToText(const DynamicValue& value) {
    switch (value.GetKind()) {
        case DynamicValue::Kind::Empty: return Text();
        case DynamicValue::Kind::Null: RaiseInvalidUseOfNull(kSource);
        case DynamicValue::Kind::Integer16: return IntegerText(std::get<std::int16_t>(value.Get()));
        case DynamicValue::Kind::Integer32: return IntegerText(std::get<std::int32_t>(value.Get()));
        case DynamicValue::Kind::Single: {
            const float single = std::get<float>(value.Get());
            if (std::isnan(single)) RaiseOverflow(kSource);
            return SingleText(single);
        }
        case DynamicValue::Kind::Boolean: return std::get<bool>(value.Get()) ? u"True" : u"False";
        case DynamicValue::Kind::String: return value.AsText();
        case DynamicValue::Kind::Array: break;
    }
    RaiseTypeMismatch(kSource);
}

}  // namespace brumelis
