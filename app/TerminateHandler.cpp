// The program's own terminate handler, in place of the C++ run-time's verbose
// one. That one names the uncaught exception's type on stderr before it
// aborts, and to name it links the run-time's symbol demangler (about 45 KB).
// The program has no console, so the text reached no one: abort as it did.
//
// Defining the handler here keeps the library's definition out of the link;
// nothing needs declaring, <exception> declares it. WinMain catches every
// exception, so this runs only where the language calls std::terminate (an
// exception leaving a destructor or a noexcept function).
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx
