#include "platform/win32/start_failure.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace brumelis {

Text StartFailureText(const std::system_error& failure) {
    // what() is "<call>: <system's text>"; the call's name says what failed.
    const std::string what = failure.what();
    const std::string call = what.substr(0, what.find(':'));
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX",
                  static_cast<unsigned long>(static_cast<DWORD>(failure.code().value())));
    // Both parts are ASCII.
    return u"Brumelis n'a pas pu démarrer : " + Text(call.begin(), call.end()) +
           u" a échoué (code " + Text(code, code + std::char_traits<char>::length(code)) + u").";
}

}  // namespace brumelis
