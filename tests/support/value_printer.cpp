#include "tests/support/value_printer.h"

#include <string>

namespace brumelis {

namespace {

// Characters beyond ASCII show as '?': enough to tell values apart.
std::string Narrow(const Text& text) {
    std::string out;
    for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

}  // namespace

void PrintTo(const DynamicValue& value, std::ostream* os) {
    static const char* const kNames[] = {"Empty",  "Null",    "Integer16", "Integer32",
                                         "Single", "Boolean", "String",    "Array"};
    *os << kNames[static_cast<int>(value.GetKind())];
    if (value.IsArray()) {
        *os << "{";
        for (const Text& t : value.AsArray().Elements()) *os << "\"" << Narrow(t) << "\",";
        *os << "}";
    } else if (!value.IsNull()) {
        *os << "(" << Narrow(ToText(value)) << ")";
    }
}

}  // namespace brumelis
