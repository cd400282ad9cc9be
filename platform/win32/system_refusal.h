// The system refused something the toolbar cannot start without: a window
// class, a window, the slider image. Carries the system's error code and the
// call that failed. Not std::system_error, whose message lookup and string
// building would bring the C++ library's string code into the program.
#pragma once

#include <exception>

namespace brumelis {

class SystemRefusal : public std::exception {
public:
    // `call` names the refused call; it must outlive the exception (a literal).
    SystemRefusal(long code, const char* call) : code_(code), call_(call) {}
    long Code() const { return code_; }
    const char* what() const noexcept override { return call_; }

private:
    long code_;
    const char* call_;
};

}  // namespace brumelis
