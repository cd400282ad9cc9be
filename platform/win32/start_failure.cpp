#include "platform/win32/start_failure.h"

#include <cstdint>
#include <cstring>

namespace brumelis {

namespace {

// "0x8007000E": the code as an unsigned 32-bit HRESULT, as Windows writes it.
Text HexCode(long code) {
    const auto value = static_cast<std::uint32_t>(code);
    Text text = u"0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += u"0123456789ABCDEF"[(value >> shift) & 0xF];
    return text;
}

}  // namespace

Text StartFailureText(const SystemRefusal& failure) {
    // what() names the call that failed, in ASCII.
    const char* call = failure.what();
    return u"Brumelis n'a pas pu démarrer : " + Text(call, call + std::strlen(call)) +
           u" a échoué (code " + HexCode(failure.Code()) + u").";
}

}  // namespace brumelis
