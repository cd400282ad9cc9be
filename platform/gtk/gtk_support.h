// Small helpers of the GTK backend: GTK's texts.
#pragma once

#include "base/core_types.h"
#include "base/utf8_text.h"

namespace brumelis {

// GTK's texts may be null: that is the empty text.
inline Text TextOfUtf8(const char* utf8) {
    return utf8 == nullptr ? Text() : TextFromUtf8(utf8);
}

}  // namespace brumelis
