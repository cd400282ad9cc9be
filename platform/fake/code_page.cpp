// The in-memory backends use one fixed single-byte code page: Latin-1.
// Characters it cannot hold become '?', as a best-fit conversion would.
#include "platform/code_page.h"

namespace brumelis {

std::string ToCodePage(const Text& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t c : text) bytes.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    return bytes;
}

Text FromCodePage(std::string_view bytes) {
    Text text;
    text.reserve(bytes.size());
    for (char b : bytes) text.push_back(static_cast<unsigned char>(b));
    return text;
}

}  // namespace brumelis
