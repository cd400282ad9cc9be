// The program's own default terminate handler. libstdc++'s verbose one prints
// the uncaught exception's demangled type on stderr, which a GUI program has
// not got, and carries the whole demangler (45 KB) for it. Defining the
// function here keeps the library's version out of the link; set_terminate
// could not, since the library refers to its default handler by name.
// msvcrt's abort() shows its "abnormal program termination" box in a GUI
// program, as before.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
