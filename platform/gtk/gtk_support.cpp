#include "platform/gtk/gtk_support.h"

namespace brumelis {

std::string ToUtf8(const Text& text) {
    glong written = 0;
    gchar* utf8 = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text.data()),
                                  static_cast<glong>(text.size()), nullptr, &written, nullptr);
    // Unpaired surrogates have no UTF-8 form: such a text shows as empty.
    if (utf8 == nullptr) return std::string();
    std::string result(utf8, static_cast<std::size_t>(written));
    g_free(utf8);
    return result;
}

Text FromUtf8(const char* text) {
    if (text == nullptr) return Text();
    glong written = 0;
    gunichar2* utf16 = g_utf8_to_utf16(text, -1, nullptr, &written, nullptr);
    if (utf16 == nullptr) return Text();
    Text result(reinterpret_cast<const char16_t*>(utf16), static_cast<std::size_t>(written));
    g_free(utf16);
    return result;
}

}  // namespace brumelis
