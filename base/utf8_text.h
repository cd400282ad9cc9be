// UTF-8, the encoding of X titles, GTK, D-Bus and sway's IPC, to and from the core's
// 16-bit text. A malformed sequence becomes U+FFFD, one per bad byte, so
// that what follows it survives.
#pragma once

#include <string>
#include <string_view>

#include "base/core_types.h"

namespace brumelis {

Text TextFromUtf8(std::string_view bytes);
std::string Utf8FromText(const Text& text);

}  // namespace brumelis
