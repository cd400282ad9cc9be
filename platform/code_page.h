// Conversion between texts and the system's 8-bit code page, at the calls that
// cross into the window system and the registry. One backend per build.
#pragma once

#include <string>
#include <string_view>

#include "base/core_types.h"

namespace brumelis {

std::string ToCodePage(const Text& text);
Text FromCodePage(std::string_view bytes);

}  // namespace brumelis
