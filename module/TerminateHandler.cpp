// The terminate handler of the DLL when it is built with GCC's C++ library.
//
// libstdc++'s default handler, __gnu_cxx::__verbose_terminate_handler,
// prints the demangled type of an uncaught exception to stderr and then
// aborts. A DLL inside a browser has no stderr to print to, and that handler
// brings the whole C++ demangler and a printf into the DLL (about 60 KB of
// the i686 release build). Defining the function here keeps the
// library's one out of the link; termination itself is unchanged: abort().
// Nothing of the component throws across its entry points, so this runs
// only after a fault.
#include <cstdlib>  // also what tells which C++ library this is

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif
