// Texts cross into the window system in the system's ANSI code page, with the
// same best-fit conversion the A functions use.
#include "platform/code_page.h"

#include "platform/win32/win32_support.h"

namespace brumelis {

std::string ToCodePage(const Text& text) {
    if (text.empty()) return std::string();
    const int wideLength = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, Wide(text), wideLength, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, Wide(text), wideLength, bytes.data(), length, nullptr,
                          nullptr);
    return bytes;
}

}  // namespace brumelis
