#include "utilities/value_utilities.h"

#include <cfenv>
#include <cmath>

#include "base/failure.h"

namespace brumelis {

namespace {

// Letter case folding for the Latin-1 range the system code page holds.
char16_t FoldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    return c;
}

// 0-based position of the first case-insensitive match at or after from.
std::size_t FindIgnoringCase(const Text& source, const Text& find, std::size_t from) {
    if (find.empty() || find.size() > source.size()) return Text::npos;
    for (std::size_t i = from; i + find.size() <= source.size(); ++i) {
        std::size_t k = 0;
        while (k < find.size() && FoldCase(source[i + k]) == FoldCase(find[k])) ++k;
        if (k == find.size()) return i;
    }
    return Text::npos;
}

}  // namespace

DynamicValue PickIf(DynamicValue condition, DynamicValue first, DynamicValue second) {
    // A condition that cannot be read skips the test and falls through to first.
    bool chooseFirst = true;
    IgnoreFailure([&] { chooseFirst = !condition.IsNull() && ToTruth(condition); });
    return chooseFirst ? first : second;
}

DynamicValue MaxOf(DynamicValue a, DynamicValue b) {
    std::optional<int> order = CompareValues(a, b);
    return (order && *order > 0) ? a : b;
}

DynamicValue MinOf(DynamicValue a, DynamicValue b) {
    std::optional<int> order = CompareValues(a, b);
    return (order && *order > 0) ? b : a;
}

DynamicValue ReplaceText(Text source, Text find, Text replacement) {
    std::size_t start = 0;
    for (;;) {
        std::size_t p = FindIgnoringCase(source, find, start);
        if (p == Text::npos) return DynamicValue(std::move(source));
        DynamicValue left =
            PickIf(DynamicValue(p != 0), DynamicValue(source.substr(0, p)), DynamicValue(Text()));
        const std::size_t rightStart = p + find.size();
        Text right = rightStart < source.size() ? source.substr(rightStart) : Text();
        source = left.AsText() + replacement + right;
        start = p + replacement.size();
    }
}

std::uint8_t ToByte(const DynamicValue& value) {
    static const Text kSource = u"ToByte";
    const double number = ToNumber(value);
    // The default rounding mode rounds halves to the even neighbour.
    double rounded = std::nearbyint(number);
    if (!(rounded >= 0 && rounded <= 255)) RaiseOverflow(kSource);
    return static_cast<std::uint8_t>(rounded);
}

}  // namespace brumelis
