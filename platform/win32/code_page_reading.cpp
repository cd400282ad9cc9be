// Texts read back from the A functions, in the system's ANSI code page.
// Apart from the writing side (code_page.cpp): the toolbar program reads
// window titles but writes no ANSI text, and so carries no std::string code.
#include "platform/code_page.h"

#include "platform/win32/win32_support.h"

namespace brumelis {

Text FromCodePage(std::string_view bytes) {
    if (bytes.empty()) return Text();
    const int byteLength = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteLength, nullptr, 0);
    Text text(static_cast<std::size_t>(length), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteLength,
                          reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

}  // namespace brumelis
