// The UTF-8 conversion both ways: any bytes decode, and what the decoding
// gives encodes and decodes to itself; any 16-bit text encodes to bytes that
// decode to it, lone surrogates becoming U+FFFD.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/utf8_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brumelis;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Text text = TextFromUtf8(bytes);
    if (TextFromUtf8(Utf8FromText(text)) != text) std::abort();

    Text units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    const Text back = TextFromUtf8(Utf8FromText(units));
    if (back.size() != units.size()) std::abort();
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool surrogate = units[i] >= 0xD800 && units[i] <= 0xDFFF;
        if (back[i] != units[i] && !(surrogate && back[i] == 0xFFFD)) std::abort();
    }
    return 0;
}
